/* Resource numbers, shared by the resource script and the code. */
#pragma once

/* The setup window's icon: 16 colours, every size from 16 to 64 pixels. */
#define IDI_QUENDA 1
/* The tray's picture: the same images, loaded at the small-icon size. */
#define IDI_QUENDA_TRAY 2
