; English texts of the setup's own pages and questions; the rest of the
; pages speak Modern UI's English.

LangString WelcomeText ${LANG_ENGLISH} "This will install ${PRODUCT} ${VERSION} on your computer.$\r$\n$\r$\n${PRODUCT} changes your desktop wallpaper by itself: at each start, once a day or every few minutes, from the BMP, JPEG, PNG and GIF pictures of a folder you choose. It waits for you in the notification area.$\r$\n$\r$\nClick Next to continue."
LangString ShortcutDescription ${LANG_ENGLISH} "Changes your desktop wallpaper on your schedule."
LangString NextShortcutName ${LANG_ENGLISH} "Next wallpaper"
LangString NextShortcutDescription ${LANG_ENGLISH} "Shows the next picture of your folder now."
LangString StillRunningText ${LANG_ENGLISH} "${PRODUCT} is still running and could not be closed.$\r$\n$\r$\nClose it from its icon in the notification area, then click Retry."
LangString RemoveSettingsQuestion ${LANG_ENGLISH} "Do you also want to remove your ${PRODUCT} settings (picture folder, schedule and options)?$\r$\n$\r$\nChoose No to keep them for a later installation."
LangString ModePageTitle ${LANG_ENGLISH} "Choose Users"
LangString ModePageSubtitle ${LANG_ENGLISH} "Choose for whom to install ${PRODUCT}."
LangString ModePageText ${LANG_ENGLISH} "Install ${PRODUCT} for you alone, or for everyone who uses this computer."
LangString ModeCurrentUser ${LANG_ENGLISH} "Only for &me"
LangString ModeCurrentUserText ${LANG_ENGLISH} "Into your own programs folder and Start menu. No administrator rights are needed."
LangString ModeAllUsers ${LANG_ENGLISH} "For &all users of this computer"
LangString ModeAllUsersText ${LANG_ENGLISH} "Into Program Files, with a Start-menu entry for everyone. Needs administrator rights."
LangString InstalledVersionText ${LANG_ENGLISH} "Version $ModePage.Version is installed this way and will be upgraded in place."
LangString NewerVersionQuestion ${LANG_ENGLISH} "Version $InstalledVersion of ${PRODUCT} is installed, which is newer than version ${VERSION} of this setup.$\r$\n$\r$\nReplace it with the older version?"
