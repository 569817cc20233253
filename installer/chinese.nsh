; 安装程序自己的页面和提问的中文文字；其余页面使用 Modern UI 的简体中文。
; (The setup's own Chinese texts; the other pages speak Modern UI's
; Simplified Chinese.)

LangString WelcomeText ${LANG_SIMPCHINESE} "此向导将在您的计算机上安装 ${PRODUCT} ${VERSION}。$\r$\n$\r$\n${PRODUCT} 按您的安排自动更换桌面墙纸：每次启动时、每天一次或每隔几分钟，图片取自您选定的文件夹中的 BMP、JPEG、PNG 和 GIF 文件。它在通知区域中待命。$\r$\n$\r$\n单击“下一步”继续。"
LangString ShortcutDescription ${LANG_SIMPCHINESE} "按您的安排自动更换桌面墙纸。"
LangString NextShortcutName ${LANG_SIMPCHINESE} "下一张墙纸"
LangString NextShortcutDescription ${LANG_SIMPCHINESE} "立即显示文件夹中的下一张图片。"
LangString StillRunningText ${LANG_SIMPCHINESE} "${PRODUCT} 仍在运行，无法将其关闭。$\r$\n$\r$\n请从通知区域中的图标退出程序，然后单击“重试”。"
LangString RemoveSettingsQuestion ${LANG_SIMPCHINESE} "是否同时删除 ${PRODUCT} 的设置（图片文件夹、更换计划和选项）？$\r$\n$\r$\n选择“否”将保留这些设置，供以后安装时使用。"
