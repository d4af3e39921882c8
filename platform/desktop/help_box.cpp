// help_box.cpp -- the "MENU" help box's own process: a window that draws the two help texts and OK itself
//
// The box draws its texts with a font of its own, so it shows wherever the
// game shows: it needs no fonts on the X server (a bare, remote or nested
// display may serve none), no toolkit and no window manager. It lives in a
// process of its own, started by the game with `--help-box`, so that the game
// plays on behind it; it ends when OK or its close box is pressed, and with
// the game however the game ends. A box that cannot be shown says why in one
// line on stderr and ends, and M works again.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <SDL_syswm.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/help_text.h"
#include "platform/desktop/shell.h"

namespace {

// Printable ASCII, ' ' to '~': five columns a glyph, bit 0 the top of eight
// rows; the eighth holds only the descenders of g, j, p, q and y.
constexpr char FirstGlyph = ' ';
constexpr std::array<std::uint8_t, 95 * 5> Glyphs = {
    0x00, 0x00, 0x00, 0x00, 0x00,  // ' '
    0x00, 0x00, 0x5F, 0x00, 0x00,  // '!'
    0x00, 0x07, 0x00, 0x07, 0x00,  // '"'
    0x14, 0x7F, 0x14, 0x7F, 0x14,  // '#'
    0x24, 0x2A, 0x7F, 0x2A, 0x12,  // '$'
    0x23, 0x13, 0x08, 0x64, 0x62,  // '%'
    0x36, 0x49, 0x55, 0x22, 0x50,  // '&'
    0x00, 0x05, 0x03, 0x00, 0x00,  // '\''
    0x00, 0x1C, 0x22, 0x41, 0x00,  // '('
    0x00, 0x41, 0x22, 0x1C, 0x00,  // ')'
    0x14, 0x08, 0x3E, 0x08, 0x14,  // '*'
    0x08, 0x08, 0x3E, 0x08, 0x08,  // '+'
    0x00, 0x50, 0x30, 0x00, 0x00,  // ','
    0x08, 0x08, 0x08, 0x08, 0x08,  // '-'
    0x00, 0x60, 0x60, 0x00, 0x00,  // '.'
    0x20, 0x10, 0x08, 0x04, 0x02,  // '/'
    0x3E, 0x51, 0x49, 0x45, 0x3E,  // '0'
    0x00, 0x42, 0x7F, 0x40, 0x00,  // '1'
    0x42, 0x61, 0x51, 0x49, 0x46,  // '2'
    0x21, 0x41, 0x45, 0x4B, 0x31,  // '3'
    0x18, 0x14, 0x12, 0x7F, 0x10,  // '4'
    0x27, 0x45, 0x45, 0x45, 0x39,  // '5'
    0x3C, 0x4A, 0x49, 0x49, 0x30,  // '6'
    0x01, 0x71, 0x09, 0x05, 0x03,  // '7'
    0x36, 0x49, 0x49, 0x49, 0x36,  // '8'
    0x06, 0x49, 0x49, 0x29, 0x1E,  // '9'
    0x00, 0x36, 0x36, 0x00, 0x00,  // ':'
    0x00, 0x56, 0x36, 0x00, 0x00,  // ';'
    0x08, 0x14, 0x22, 0x41, 0x00,  // '<'
    0x14, 0x14, 0x14, 0x14, 0x14,  // '='
    0x00, 0x41, 0x22, 0x14, 0x08,  // '>'
    0x02, 0x01, 0x51, 0x09, 0x06,  // '?'
    0x32, 0x49, 0x79, 0x41, 0x3E,  // '@'
    0x7E, 0x11, 0x11, 0x11, 0x7E,  // 'A'
    0x7F, 0x49, 0x49, 0x49, 0x36,  // 'B'
    0x3E, 0x41, 0x41, 0x41, 0x22,  // 'C'
    0x7F, 0x41, 0x41, 0x22, 0x1C,  // 'D'
    0x7F, 0x49, 0x49, 0x49, 0x41,  // 'E'
    0x7F, 0x09, 0x09, 0x09, 0x01,  // 'F'
    0x3E, 0x41, 0x49, 0x49, 0x7A,  // 'G'
    0x7F, 0x08, 0x08, 0x08, 0x7F,  // 'H'
    0x00, 0x41, 0x7F, 0x41, 0x00,  // 'I'
    0x20, 0x40, 0x41, 0x3F, 0x01,  // 'J'
    0x7F, 0x08, 0x14, 0x22, 0x41,  // 'K'
    0x7F, 0x40, 0x40, 0x40, 0x40,  // 'L'
    0x7F, 0x02, 0x0C, 0x02, 0x7F,  // 'M'
    0x7F, 0x04, 0x08, 0x10, 0x7F,  // 'N'
    0x3E, 0x41, 0x41, 0x41, 0x3E,  // 'O'
    0x7F, 0x09, 0x09, 0x09, 0x06,  // 'P'
    0x3E, 0x41, 0x51, 0x21, 0x5E,  // 'Q'
    0x7F, 0x09, 0x19, 0x29, 0x46,  // 'R'
    0x46, 0x49, 0x49, 0x49, 0x31,  // 'S'
    0x01, 0x01, 0x7F, 0x01, 0x01,  // 'T'
    0x3F, 0x40, 0x40, 0x40, 0x3F,  // 'U'
    0x1F, 0x20, 0x40, 0x20, 0x1F,  // 'V'
    0x3F, 0x40, 0x38, 0x40, 0x3F,  // 'W'
    0x63, 0x14, 0x08, 0x14, 0x63,  // 'X'
    0x07, 0x08, 0x70, 0x08, 0x07,  // 'Y'
    0x61, 0x51, 0x49, 0x45, 0x43,  // 'Z'
    0x00, 0x7F, 0x41, 0x41, 0x00,  // '['
    0x02, 0x04, 0x08, 0x10, 0x20,  // '\\'
    0x00, 0x41, 0x41, 0x7F, 0x00,  // ']'
    0x04, 0x02, 0x01, 0x02, 0x04,  // '^'
    0x40, 0x40, 0x40, 0x40, 0x40,  // '_'
    0x00, 0x01, 0x02, 0x04, 0x00,  // '`'
    0x20, 0x54, 0x54, 0x54, 0x78,  // 'a'
    0x7F, 0x48, 0x44, 0x44, 0x38,  // 'b'
    0x38, 0x44, 0x44, 0x44, 0x20,  // 'c'
    0x38, 0x44, 0x44, 0x48, 0x7F,  // 'd'
    0x38, 0x54, 0x54, 0x54, 0x18,  // 'e'
    0x08, 0x7E, 0x09, 0x01, 0x02,  // 'f'
    0x18, 0xA4, 0xA4, 0xA4, 0x7C,  // 'g'
    0x7F, 0x08, 0x04, 0x04, 0x78,  // 'h'
    0x00, 0x44, 0x7D, 0x40, 0x00,  // 'i'
    0x40, 0x80, 0x84, 0x7D, 0x00,  // 'j'
    0x7F, 0x10, 0x28, 0x44, 0x00,  // 'k'
    0x00, 0x41, 0x7F, 0x40, 0x00,  // 'l'
    0x7C, 0x04, 0x18, 0x04, 0x78,  // 'm'
    0x7C, 0x08, 0x04, 0x04, 0x78,  // 'n'
    0x38, 0x44, 0x44, 0x44, 0x38,  // 'o'
    0xFC, 0x24, 0x24, 0x24, 0x18,  // 'p'
    0x18, 0x24, 0x24, 0x24, 0xFC,  // 'q'
    0x7C, 0x08, 0x04, 0x04, 0x08,  // 'r'
    0x48, 0x54, 0x54, 0x54, 0x20,  // 's'
    0x04, 0x3F, 0x44, 0x40, 0x20,  // 't'
    0x3C, 0x40, 0x40, 0x20, 0x7C,  // 'u'
    0x1C, 0x20, 0x40, 0x20, 0x1C,  // 'v'
    0x3C, 0x40, 0x30, 0x40, 0x3C,  // 'w'
    0x44, 0x28, 0x10, 0x28, 0x44,  // 'x'
    0x9C, 0xA0, 0xA0, 0xA0, 0x7C,  // 'y'
    0x44, 0x64, 0x54, 0x4C, 0x44,  // 'z'
    0x00, 0x08, 0x36, 0x41, 0x00,  // '{'
    0x00, 0x00, 0x7F, 0x00, 0x00,  // '|'
    0x00, 0x41, 0x36, 0x08, 0x00,  // '}'
    0x10, 0x08, 0x08, 0x10, 0x08,  // '~'
};

// The box's layout in font pixels; the whole box is drawn larger on a large screen.
constexpr int GlyphWidth = 5;
constexpr int GlyphHeight = 8;
constexpr int Advance = GlyphWidth + 1;
constexpr int LinePitch = GlyphHeight + 3;
constexpr int Margin = 14;
constexpr int ParagraphGap = LinePitch;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;

// Lines are wrapped at word boundaries, as the Windows dialog wraps its texts.
constexpr size_t HelpLineLength = 90;

// Colours of a plain dialog: light face, black ink, a framed default button.
constexpr SDL_Color Face = {240, 240, 240, 255};
constexpr SDL_Color Ink = {0, 0, 0, 255};
constexpr SDL_Color ButtonFace = {225, 225, 225, 255};
constexpr SDL_Color ButtonFrame = {0, 120, 215, 255};
// OK held down: a pushed button's darker face, as Windows draws it.
constexpr SDL_Color PushedFace = {204, 228, 247, 255};

// What the box shows, laid out once: the wrapped lines of both texts, and OK.
struct BoxLayout {
    std::vector<std::string> upper;  // the description, a line each
    std::vector<std::string> lower;  // the keyboard controls, a line each
    int width;                       // the box in font pixels
    int height;
    SDL_Rect button;                 // OK, in font pixels
    int scale;                       // screen pixels per font pixel
};

std::vector<std::string> Wrapped(const char* text)
{
    std::vector<std::string> lines(1);
    std::string word;
    const auto flushWord = [&]() {
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > HelpLineLength) {
            lines.emplace_back();
        }
        lines.back() += lines.back().empty() ? word : " " + word;
        word.clear();
    };
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == ' ') {
            flushWord();
        } else {
            word += *c;
        }
    }
    flushWord();
    return lines;
}

BoxLayout LayOut(int screenHeight)
{
    BoxLayout layout = {Wrapped(UpperHelpText), Wrapped(LowerHelpText), 0, 0, {}, 1};
    size_t longest = 0;
    for (const auto* lines : {&layout.upper, &layout.lower}) {
        for (const std::string& line : *lines) {
            longest = std::max(longest, line.size());
        }
    }
    const int textLines = static_cast<int>(layout.upper.size() + layout.lower.size());
    layout.width = 2 * Margin + static_cast<int>(longest) * Advance;
    layout.height = Margin + textLines * LinePitch + ParagraphGap + Margin + ButtonHeight + Margin;
    layout.button = {(layout.width - ButtonWidth) / 2, layout.height - Margin - ButtonHeight, ButtonWidth,
                     ButtonHeight};
    layout.scale = std::max(1, screenHeight / 1080);
    return layout;
}

void Fill(SDL_Renderer* renderer, const BoxLayout& layout, SDL_Rect area, SDL_Color colour)
{
    area = {area.x * layout.scale, area.y * layout.scale, area.w * layout.scale, area.h * layout.scale};
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
    SDL_RenderFillRect(renderer, &area);
}

// One line of text from its top left corner, in font pixels; a character
// outside the font stays blank.
void DrawText(SDL_Renderer* renderer, const BoxLayout& layout, const std::string& text, int x, int y)
{
    std::vector<SDL_Rect> dots;
    for (size_t i = 0; i < text.size(); ++i) {
        const int glyph = text[i] - FirstGlyph;
        if (glyph < 0 || glyph >= static_cast<int>(Glyphs.size() / GlyphWidth)) {
            continue;
        }
        for (int column = 0; column < GlyphWidth; ++column) {
            const int bits = Glyphs[static_cast<size_t>(glyph * GlyphWidth + column)];
            for (int row = 0; row < GlyphHeight; ++row) {
                if ((bits >> row & 1) != 0) {
                    const int left = x + static_cast<int>(i) * Advance + column;
                    dots.push_back({left * layout.scale, (y + row) * layout.scale, layout.scale, layout.scale});
                }
            }
        }
    }
    SDL_SetRenderDrawColor(renderer, Ink.r, Ink.g, Ink.b, Ink.a);
    SDL_RenderFillRects(renderer, dots.data(), static_cast<int>(dots.size()));
}

void Draw(SDL_Renderer* renderer, const BoxLayout& layout, bool pushed)
{
    Fill(renderer, layout, {0, 0, layout.width, layout.height}, Face);
    int y = Margin;
    for (const std::string& line : layout.upper) {
        DrawText(renderer, layout, line, Margin, y);
        y += LinePitch;
    }
    y += ParagraphGap;
    for (const std::string& line : layout.lower) {
        DrawText(renderer, layout, line, Margin, y);
        y += LinePitch;
    }
    const SDL_Rect& button = layout.button;
    Fill(renderer, layout, button, ButtonFrame);
    Fill(renderer, layout, {button.x + 2, button.y + 2, button.w - 4, button.h - 4}, pushed ? PushedFace : ButtonFace);
    DrawText(renderer, layout, "OK", button.x + (button.w - 2 * Advance + 1) / 2,
             button.y + (button.h - GlyphHeight) / 2);
    SDL_RenderPresent(renderer);
}

bool OnButton(const BoxLayout& layout, int x, int y)
{
    const SDL_Point point = {x / layout.scale, y / layout.scale};
    return SDL_PointInRect(&point, &layout.button) == SDL_TRUE;
}

// Connects to the display with stderr caught: a display that refuses the box
// has Xlib say why over lines of its own, which go into the box's one line.
// Empty when connected.
std::string ConnectToDisplay()
{
    int caught[2];
    if (pipe2(caught, O_NONBLOCK) != 0) {
        return SDL_Init(SDL_INIT_VIDEO) == 0 ? "" : SDL_GetError();
    }
    const int saved = dup(STDERR_FILENO);
    dup2(caught[1], STDERR_FILENO);
    close(caught[1]);
    const bool connected = SDL_Init(SDL_INIT_VIDEO) == 0;
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::string said;
    std::array<char, 512> chunk = {};
    for (ssize_t got = 0; (got = read(caught[0], chunk.data(), chunk.size())) > 0;) {
        said.append(chunk.data(), static_cast<size_t>(got));
    }
    close(caught[0]);
    if (connected) {
        return "";
    }
    std::string reason;
    for (char c : said) {
        if (c != '\n' || (!reason.empty() && reason.back() != ' ')) {
            reason += c == '\n' ? ' ' : c;
        }
    }
    while (!reason.empty() && reason.back() == ' ') {
        reason.pop_back();
    }
    return reason.empty() ? SDL_GetError() : reason;
}

// Marks the box as owned by the game window, before it is shown: a window
// manager then keeps it above the game and gives it the keyboard, as Windows
// does an owned dialog. Xlib directly: as an SDL window of the box's own, the
// game window would be minimised by SDL when the box takes the keyboard.
void OwnBy(SDL_Window* box, std::uintptr_t parentId)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (parentId != 0 && SDL_GetWindowWMInfo(box, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        XSetTransientForHint(info.info.x11.display, info.info.x11.window, static_cast<Window>(parentId));
    }
}

// Shows the box until OK or its close box; false with the reason on stderr
// when it cannot be shown.
bool ShowBox(std::uintptr_t parentId, const char* videoDriver)
{
    if (*videoDriver != '\0') {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, videoDriver);
    }
    const std::string refused = ConnectToDisplay();
    if (!refused.empty()) {
        std::fprintf(stderr, "KestrelForges: cannot show the help box: no connection to the display (%s)\n", refused.c_str());
        return false;
    }
    SDL_DisplayMode desktop = {};
    SDL_GetDesktopDisplayMode(0, &desktop);
    const BoxLayout layout = LayOut(desktop.h);
    SDL_Window* box = SDL_CreateWindow(HelpCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       layout.width * layout.scale, layout.height * layout.scale, SDL_WINDOW_HIDDEN);
    SDL_Renderer* renderer = box != nullptr ? SDL_CreateRenderer(box, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    if (renderer == nullptr) {
        std::fprintf(stderr, "KestrelForges: cannot show the help box: no window (%s)\n", SDL_GetError());
        return false;
    }
    OwnBy(box, parentId);
    // Shown, the box takes the keyboard, as a dialog shown on Windows does: a
    // window manager gives it, and without one SDL does.
    SDL_ShowWindow(box);
    bool buttonDown = false;
    bool spaceDown = false;
    bool pushed = false;
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE &&
             event.window.windowID == SDL_GetWindowID(box))) {
            break;
        }
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            Draw(renderer, layout, pushed);
        }
        // OK works as a push button: pushed and let go on it, with the
        // pointer or with Space. Enter and Escape do nothing, as in the
        // Windows dialog, which the game's loop gives no dialog keys.
        if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
            buttonDown = OnButton(layout, event.button.x, event.button.y);
        }
        if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
            if (buttonDown && OnButton(layout, event.button.x, event.button.y)) {
                break;
            }
            buttonDown = false;
        }
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE) {
            spaceDown = true;
        }
        if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_SPACE && spaceDown) {
            break;
        }
        if (pushed != (spaceDown || buttonDown)) {
            pushed = spaceDown || buttonDown;
            Draw(renderer, layout, pushed);
        }
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(box);
    return true;
}

}  // namespace

int RunHelpBoxProcess(const char* parentWindow, const char* gameProcess, const char* videoDriver)
{
    // SIGKILL, a crash or the OOM killer give the game no quit sequence to
    // take the box with it, so the box watches for the game's end itself. A
    // game that died before the watch began is no longer the box's parent.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (std::to_string(getppid()) != gameProcess) {
        return 0;
    }
    // The rest of SDL ends with the process, its libraries still loaded, as the game's does.
    const bool shown = ShowBox(static_cast<std::uintptr_t>(std::strtoull(parentWindow, nullptr, 10)), videoDriver);
    return shown ? 0 : 1;
}
