// Resource identifiers of LumoraResume.exe.
#pragma once

#define IDB_REMINDER 130
#define IDD_REMINDER 131
#define IDC_HIDDEN_DEFAULT 1001
