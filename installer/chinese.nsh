; 安装程序自己的页面和提问的中文文字；其余页面使用 Modern UI 的简体中文。
; (The setup's own Chinese texts; the other pages speak Modern UI's
; Simplified Chinese.)

LangString WelcomeText ${LANG_SIMPCHINESE} "此向导将在您的计算机上安装 ${PRODUCT} ${VERSION}。$\r$\n$\r$\n${PRODUCT} 按您的安排自动更换桌面墙纸：每次启动时、每天一次或每隔几分钟，图片取自您选定的文件夹中的 BMP、JPEG、PNG 和 GIF 文件。它在通知区域中待命。$\r$\n$\r$\n单击“下一步”继续。"
LangString ShortcutDescription ${LANG_SIMPCHINESE} "按您的安排自动更换桌面墙纸。"
LangString NextShortcutName ${LANG_SIMPCHINESE} "下一张墙纸"
LangString NextShortcutDescription ${LANG_SIMPCHINESE} "立即显示文件夹中的下一张图片。"
LangString StillRunningText ${LANG_SIMPCHINESE} "${PRODUCT} 仍在运行，无法将其关闭。$\r$\n$\r$\n请从通知区域中的图标退出程序，然后单击“重试”。"
LangString RemoveSettingsQuestion ${LANG_SIMPCHINESE} "是否同时删除 ${PRODUCT} 的设置（图片文件夹、更换计划和选项）？$\r$\n$\r$\n选择“否”将保留这些设置，供以后安装时使用。"
LangString ModePageTitle ${LANG_SIMPCHINESE} "选择用户"
LangString ModePageSubtitle ${LANG_SIMPCHINESE} "选择为哪些用户安装 ${PRODUCT}。"
LangString ModePageText ${LANG_SIMPCHINESE} "可以只为您自己安装 ${PRODUCT}，也可以为使用这台计算机的所有用户安装。"
LangString ModeCurrentUser ${LANG_SIMPCHINESE} "仅为我安装(&M)"
LangString ModeCurrentUserText ${LANG_SIMPCHINESE} "安装到您自己的程序文件夹和“开始”菜单中，不需要管理员权限。"
LangString ModeAllUsers ${LANG_SIMPCHINESE} "为这台计算机的所有用户安装(&A)"
LangString ModeAllUsersText ${LANG_SIMPCHINESE} "安装到 Program Files 中，每个用户的“开始”菜单中都有它。需要管理员权限。"
LangString InstalledVersionText ${LANG_SIMPCHINESE} "已按此方式安装了版本 $ModePage.Version，将在原位置升级。"
LangString NewerVersionQuestion ${LANG_SIMPCHINESE} "已安装的 ${PRODUCT} 版本 $InstalledVersion 比本安装程序的版本 ${VERSION} 更新。$\r$\n$\r$\n是否用旧版本替换它？"
