// main.cpp -- the browser game's entry point
//
// Platform: a web page, WebAssembly built with emscripten. Libraries:
// emscripten's runtime (its timer call) and HTML5 API (keys); WebGL, Web Audio,
// the Gamepad API and the page's own dialog through page.js; touch buttons
// through touch.js. Differs from the Windows game: pads and, on touch screens,
// buttons on the page play it too, one key a pass like a key press; the
// browser's timer runs the loop, a pass and then 34 ms, and in a hidden tab
// the browser slows that timer down to about once a second, so the game goes
// on at that pace while the tune plays on; the page has no first message to
// drop, so the loop starts at once; the help is an HTML dialog, which keeps
// the keys while it has the focus, the pads' buttons too (A presses its OK, a
// held touch button stops repeating), and a click or touch on the game gives
// them back to the game; browsers block audio until the player clicks or
// presses a key, and the tune starts then; keys pressed with Ctrl, Alt or Meta
// are left to the browser; Escape ends the game with a line on the page
// instead of closing a window; without WebGL the page says it cannot draw the
// game; the page installs like an app, and its service worker keeps its files
// so later visits start without the network; the page keeps the current
// game's record, offers it after a run as a link and a file, and plays a
// #run= link from the first pass, saying so beside the game. As there: a held key's, button's
// or pad direction's repeats are folded into its press still waiting, so a
// hold never builds a backlog.
#include <emscripten/emscripten.h>

#include "platform/web/shell.h"

int main()
{
    if (!StartUp()) {
        return 1;
    }
    RunMainLoop();
    // The runtime stays alive for the timer passes after main returns.
    emscripten_exit_with_live_runtime();
    return 0;
}
