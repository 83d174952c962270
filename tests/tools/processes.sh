# Shell functions to watch and end the processes a test started; source it.

# True when PID is alive (not a zombie) and, with NAME, runs the program named NAME: a guard
# against a reused pid.
runs() {
    local pid=$1 name=${2:-} stat
    [[ $pid =~ ^[0-9]+$ ]] || return 1
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]] || return 1
    [[ -z $name || $(cat "/proc/$pid/comm" 2>/dev/null) == "$name"* ]]
}

# Sends TERM, waits up to 5 s, then KILL and up to 5 s more; the process need not be our child.
# Harmless when PID is empty or gone.
end_process() {
    local pid=$1 name=${2:-} i
    runs "$pid" "$name" || return 0
    kill -TERM "$pid" 2>/dev/null
    for ((i = 0; i < 50; i++)); do
        runs "$pid" "$name" || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    for ((i = 0; i < 50; i++)); do
        runs "$pid" "$name" || return 0
        sleep 0.1
    done
    echo "process $pid ($name) would not end" >&2
    return 1
}

# Ends the process whose pid FILE holds, if it still runs NAME, and removes FILE.
end_pid_file() {
    local file=$1 name=$2 status=0
    [[ -f $file ]] || return 0
    end_process "$(cat "$file")" "$name" || status=1
    rm -f "$file"
    return $status
}

# A watcher is a bash that leads its own process group (setsid) and ends other processes once
# its owner has ended. Ends the one whose pid FILE holds, together with its tail, and removes
# FILE.
end_watcher() {
    local file=$1 watcher
    [[ -f $file ]] || return 0
    watcher=$(cat "$file")
    runs "$watcher" bash && kill -TERM -- "-$watcher" 2>/dev/null
    rm -f "$file"
    return 0
}
