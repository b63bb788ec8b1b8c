// The program's icon, shared by every Lumora binary (so: a #define that the
// resource compiler reads too). The lowest id, so that the icon group comes
// first and Explorer shows it.
#pragma once

#define IDI_LUMORA 1
