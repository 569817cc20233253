; English texts of the setup's own pages and questions; the rest of the
; pages speak Modern UI's English.

LangString WelcomeText ${LANG_ENGLISH} "This will install ${PRODUCT} ${VERSION} on your computer.$\r$\n$\r$\n${PRODUCT} changes your desktop wallpaper by itself: at each start, once a day or every few minutes, from the BMP, JPEG, PNG and GIF pictures of a folder you choose. It waits for you in the notification area.$\r$\n$\r$\nClick Next to continue."
LangString ShortcutDescription ${LANG_ENGLISH} "Changes your desktop wallpaper on your schedule."
LangString NextShortcutName ${LANG_ENGLISH} "Next wallpaper"
LangString NextShortcutDescription ${LANG_ENGLISH} "Shows the next picture of your folder now."
LangString StillRunningText ${LANG_ENGLISH} "${PRODUCT} is still running and could not be closed.$\r$\n$\r$\nClose it from its icon in the notification area, then click Retry."
LangString RemoveSettingsQuestion ${LANG_ENGLISH} "Do you also want to remove your ${PRODUCT} settings (picture folder, schedule and options)?$\r$\n$\r$\nChoose No to keep them for a later installation."
