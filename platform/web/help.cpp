// help.cpp -- the "MENU" help dialog on the page: shown by M, closed by its OK button
#include <emscripten/emscripten.h>

#include "game/platform.h"
#include "platform/web/shell.h"

void PlatformShowHelp()
{
    WebShowHelp(HelpCaption, UpperHelpText, LowerHelpText);
    helpOpen = 1;
}

extern "C" {
// The dialog's OK button: the next frame hands the keyboard back.
EMSCRIPTEN_KEEPALIVE void WebHelpClosed()
{
    NoteHelpClosed();
}
}
