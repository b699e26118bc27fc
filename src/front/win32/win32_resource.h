#pragma once

// Resource identifiers shared by seastrip.rc and the code.
#define IDI_SEASTRIP 1
#define IDD_VERSION 100
#define IDC_VERSION_ICON 101
#define IDC_VERSION_PRODUCT 102
#define IDC_VERSION_NUMBER 103
#define IDC_VERSION_RIGHTS 104
