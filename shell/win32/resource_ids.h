#pragma once
// The program's ids for code that also sees <windows.h>: winuser.h names a cursor
// IDC_HELP, and here that name is the Help command's.
#include <windows.h>
#undef IDC_HELP
#include "resources/resource_ids.h"
