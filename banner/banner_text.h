// banner_text.h -- which message the banner holds in each frame
#pragma once

#include <string>

// The current banner message; empty until the first drawn frame.
extern std::string bannerText;

// The lowest score reported as a victory.
constexpr int VictoryScore = 70;

// Replaces bannerText by the message the current state calls for; keeps it
// when no rule applies.
void SelectBannerText();

// No message yet, as at start-up.
void ResetBannerText();
