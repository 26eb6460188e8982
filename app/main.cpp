// spinning-cone: a full-screen animation of a grey cone spinning about a
// diagonal axis, with a row of three small balls (dark red, green, blue)
// travelling along its axis, through it, and back to the start, over and over.
//
// Keys: Escape quits (exit status 0). Command-line arguments are ignored.

#include "app/startup.h"

int main()
{
    app::runScene();
    // The toolkit's loop does not normally return; if it does, end cleanly.
    app::endProcess();
}
