/* Resource numbers, shared by the resource script and the code. */
#pragma once

/* The setup window's icon: 32x32 and 16x16, 16 colours. */
#define IDI_QUENDA 1
/* The tray's picture: the same 16x16 image on its own. */
#define IDI_QUENDA_TRAY 2
