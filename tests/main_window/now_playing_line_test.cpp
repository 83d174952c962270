// The now-playing line with a song name longer than the line.
#include "support/load_main_window.h"
#include "support/window_test.h"

#include <QLineEdit>

#include <string>

namespace {

class NowPlayingLine : public support::WindowTest {};

TEST_F(NowPlayingLine, ALongNameReadsFromItsStartAndItsTooltipHoldsItWhole) {
    Form4& form = support::LoadMainWindow("9000", "12000");  // an 800 x 600 screen
    form.Show();
    form.Text1.SetVisible(true);
    auto* line = static_cast<QLineEdit*>(form.Text1.Widget());
    const std::string first =
        "Wolfgang Amadeus Mozart - Serenade No. 13 in G major, K. 525 - I. Allegro (live at the "
        "Musikverein).mp3";
    const std::string second =
        "Johann Sebastian Bach - Brandenburg Concerto No. 3 in G major, BWV 1048 - I. Allegro "
        "(remastered).mp3";
    for (const std::string& name : {first, second}) {  // the next song replaces a long one
        SCOPED_TRACE(name);
        form.Text1.SetText(name);
        ASSERT_GT(line->fontMetrics().horizontalAdvance(line->text()), line->width())
            << "the name must be longer than the line";
        line->grab();  // painting scrolls the line to its caret
        EXPECT_EQ(line->cursorPosition(), 0);
        const QRect caret = line->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        EXPECT_LT(caret.left(), line->fontMetrics().averageCharWidth())
            << "the first character stands at the line's left edge";
        EXPECT_EQ(form.Text1.ToolTipText(), name);
    }
}

} // namespace
