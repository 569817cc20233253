#pragma once
// Which display styles this system can show. Fit and fill came with
// Windows 7, span with Windows 8 and only means something with more than
// one monitor; an older desktop would read their values as something else.

struct SystemForStyles {
    unsigned majorVersion = 0;
    unsigned minorVersion = 0;
    int monitors = 1;
};

// The running system: its real version (the manifest names every version
// up to the newest, so the system does not pretend to be older) and
// SM_CMONITORS.
SystemForStyles CurrentSystemForStyles();

bool CanShowStyle(int style, const SystemForStyles& system);

// `style` when the system can show it, else stretch: the nearest style every
// system has that still fills the screen.
int ShowableStyle(int style, const SystemForStyles& system);
