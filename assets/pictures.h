#pragma once
// Every picture of the player, drawn in code at its natural size in pixels.
#include <QPixmap>

namespace pictures {

QPixmap PlayButton(bool pressed);      // right-pointing triangle
QPixmap PauseButton(bool pressed);     // two upright bars
QPixmap StopButton(bool pressed);      // green square with soft corners
QPixmap Loudspeaker();                 // green loudspeaker with sound waves
QPixmap LoudspeakerMuted();            // loudspeaker crossed out in red
QPixmap VolumeKnob();                  // 30 x 9
QPixmap CueMarker();                   // small icon for the cue track
QPixmap MinimizeButton();              // 23 x 23
QPixmap CloseButton();                 // 23 x 23
QPixmap Logo();                        // 135 x 136

} // namespace pictures
