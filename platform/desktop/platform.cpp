// platform.cpp -- the frame's platform calls on SDL2, and the looping tune
#include <cstdio>
#include <string>
#include <vector>

#include "game/platform.h"
#include "platform/desktop/shell.h"

namespace {

// The shell's tune, which this file plays.
TunePlayer& tune = desktop.tune;

void ReportSilence(const char* why)
{
    if (!tune.reported) {
        std::fprintf(stderr, "KestrelForges: %s; playing without music\n", why);
        tune.reported = true;
    }
}

// Runs on SDL's audio thread: the tune over and over, without a gap.
void FillFromTune(void* /*unused*/, Uint8* stream, int length)
{
    while (length > 0) {
        Uint32 chunk = tune.length - tune.position;
        if (chunk > static_cast<Uint32>(length)) {
            chunk = static_cast<Uint32>(length);
        }
        SDL_memcpy(stream, tune.bytes + tune.position, chunk);
        stream += chunk;
        length -= static_cast<int>(chunk);
        tune.position = (tune.position + chunk) % tune.length;
    }
}

}  // namespace

void LoadMusic()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportSilence("no audio device");
        return;
    }
    // Beside the executable first (the tarball), then the data folder of an
    // installed game (/usr/games beside /usr/share/games/kestrel-forges), then
    // the folder the game starts in.
    std::vector<std::string> folders;
    if (char* base = SDL_GetBasePath()) {
        folders.emplace_back(base);
        folders.push_back(std::string(base) + "../share/games/kestrel-forges/");
        SDL_free(base);
    }
    folders.emplace_back();
    std::string searched;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::string& folder = folders[i];
        if (SDL_LoadWAV((folder + "gamesound.wav").c_str(), &tune.format, &tune.bytes, &tune.length) != nullptr) {
            break;
        }
        searched += i == 0 ? "" : i + 1 == folders.size() ? " or " : ", ";
        searched += folder.empty() ? "the current folder" : folder;
    }
    if (tune.bytes == nullptr || tune.length == 0) {
        ReportSilence(("gamesound.wav not found in " + searched).c_str());
        tune.bytes = nullptr;
        return;
    }
    tune.format.callback = FillFromTune;
    tune.format.userdata = nullptr;
}

void PlatformPresentFrame()
{
    SDL_GL_SwapWindow(desktop.window);
}

void PlatformStartMusic()
{
    if (tune.bytes == nullptr) {
        return;
    }
    // A start while playing begins the tune again.
    PlatformStopMusic();
    tune.position = 0;
    tune.device = SDL_OpenAudioDevice(nullptr, 0, &tune.format, nullptr, 0);
    if (tune.device == 0) {
        ReportSilence("no audio device");
        return;
    }
    SDL_PauseAudioDevice(tune.device, 0);
}

void PlatformStopMusic()
{
    if (tune.device != 0) {
        SDL_CloseAudioDevice(tune.device);
        tune.device = 0;
    }
}

void PlatformRestoreFocus()
{
    if (!TakeFocusRestore()) {
        return;
    }
    // The help box has closed: the game window takes the keyboard back.
    SDL_RaiseWindow(desktop.window);
    SDL_SetWindowInputFocus(desktop.window);
}

void PlatformFrameSleep()
{
    SleepOneFramePause();
}
