// help.cpp -- the modeless "MENU" help dialog and the keyboard hand-back after it
#include "game/help_text.h"
#include "game/platform.h"
#include "platform/windows/shell.h"
#include "resources/resource_ids.h"

namespace {

// The dialog is Unicode; the shared texts are ASCII and widen one to one.
template <size_t Size>
void SetHelpItemText(HWND dialog, int item, const char (&text)[Size])
{
    wchar_t wide[Size];
    for (size_t i = 0; i < Size; ++i) {
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    }
    SetDlgItemTextW(dialog, item, wide);
}

void CloseHelpDialog(HWND dialog)
{
    NoteHelpClosed();
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

void PlatformShowHelp()
{
    ShowCursor(TRUE);
    SetHelpItemText(helpDialog, IDC_HELP_UPPER, UpperHelpText);
    SetHelpItemText(helpDialog, IDC_HELP_LOWER, LowerHelpText);
    ShowWindow(helpDialog, SW_SHOW);
    helpOpen = 1;
}

void CloseHelp()
{
    if (helpDialog != nullptr) {
        EndDialog(helpDialog, 0);
    }
}
