#pragma once
// The program's resources (icon, usage text) live in a static library:
// naming them once keeps the linker from dropping them.

void dorvakInitResources();
