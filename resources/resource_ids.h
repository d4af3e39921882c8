// resource_ids.h -- resource ids shared by KestrelForges.rc and the game code
#pragma once

#define IDI_KESTRELFORGES 107
#define IDI_SMALL 108
#define IDS_APP_TITLE 103
#define IDC_KESTRELFORGES 109
#define IDM_ABOUT 104
#define IDD_MENU 129
#define IDC_HELP_UPPER 1001
#define IDC_HELP_LOWER 1000
