// Resource ids shared by pixmora.rc and the code that loads them.
#pragma once

// The lowest icon id, so Explorer shows it as the exe's own icon.
#define IDI_PIXMORA 1
