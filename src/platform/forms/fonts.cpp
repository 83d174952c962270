#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace forms {

void UseStandInFonts() {
    // Arial's metric twin: every caption measures exactly as designed.
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "Arimo"});
    // The dialog font every control starts in is a bitmap face, 5 to 6 pixels a letter at 8 pt;
    // Arial at the same height takes 6.4 and clips "Hide/Show Control" on its check box. Arial's
    // narrow cut keeps the height and takes 5.3.
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans Narrow"});
    // A wide, open face like Verdana; the About window's credit lines have room to spare.
    QFont::insertSubstitutions("Verdana", {"DejaVu Sans"});
    QFont::insertSubstitutions("Comic Sans MS", {"Comic Neue", "DejaVu Sans"});
}

} // namespace forms
