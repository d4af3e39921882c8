// help_dialog.cpp -- the modeless "MENU" help dialog and the keyboard hand-back after it
#include "platform/windows/shell.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t* const UpperHelpText =
    L"KESTREL FORGES HAZARD HIGHWAY - The game supports on 16:9 aspect ratio screens only. If the car goes out of "
    L"the road area or if the car hits a yellow block then the game is over and your score is displayed. Create "
    L"high scores in Kestrel Forges Hazard Highway 3D.After reaching the score 70 the game is won.";

const wchar_t* const LowerHelpText =
    L"Keyboard controls of the game - Use the Right arrow key to rotate the area right at the start screen of the "
    L"game. Use the Left arrow key to rotate the area left at the start screen of the game. Use the Enter key to go "
    L"to the play screen. Use the Up arrow key to start the game. Use the Right arrow key to move the car right.Use "
    L"the Left arrow key to move the car left. Use the P key to play and use the R key to restart the game when the "
    L"game is paused. Use the P key to resume the game from the paused state. Use the S key to stop the sound and "
    L"to play the sound. Use the Escape key to quit the game.";

void CloseHelpDialog(HWND dialog)
{
    helpOpen = 0;
    focusRestore = 1;
    ShowCursor(FALSE);
    // A modeless dialog is only hidden by this; the next M shows it again.
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK MenuDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            CloseHelpDialog(dialog);
            return TRUE;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            CloseHelpDialog(dialog);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

// Created before wWinMain runs, from the program's own resources (no instance
// handle yet), hidden and without an owner.
HWND helpDialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_MENU), nullptr, MenuDlgProc, 0);
int helpOpen = 0;
int focusRestore = 0;

void ShowHelpDialog()
{
    ShowCursor(TRUE);
    SetDlgItemTextW(helpDialog, IDC_HELP_UPPER, UpperHelpText);
    SetDlgItemTextW(helpDialog, IDC_HELP_LOWER, LowerHelpText);
    ShowWindow(helpDialog, SW_SHOW);
    helpOpen = 1;
}
