// help_text.h -- the caption and the two texts of the help shown by M, for every shell
#pragma once

// Plain ASCII, so a shell may widen them character by character. The game
// shows them exactly as written here, without a blank after "3D." and after
// "right.": do not tidy them.
inline constexpr char HelpCaption[] = "MENU";

inline constexpr char UpperHelpText[] =
    "KESTREL FORGES HAZARD HIGHWAY - The game supports on 16:9 aspect ratio screens only. If the car goes out of "
    "the road area or if the car hits a yellow block then the game is over and your score is displayed. Create "
    "high scores in Kestrel Forges Hazard Highway 3D.After reaching the score 70 the game is won.";

inline constexpr char LowerHelpText[] =
    "Keyboard controls of the game - Use the Right arrow key to rotate the area right at the start screen of the "
    "game. Use the Left arrow key to rotate the area left at the start screen of the game. Use the Enter key to go "
    "to the play screen. Use the Up arrow key to start the game. Use the Right arrow key to move the car right.Use "
    "the Left arrow key to move the car left. Use the P key to play and use the R key to restart the game when the "
    "game is paused. Use the P key to resume the game from the paused state. Use the S key to stop the sound and "
    "to play the sound. Use the Escape key to quit the game.";
