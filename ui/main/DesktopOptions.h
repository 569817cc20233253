#pragma once
// The three options of the main window's "Settings" box that act on the
// system at once: starting at log-on (the Run key), the desktop icons, and
// the default user's wallpaper. Each click is carried out here; the form
// reads the boxes into the settings first and saves them after.

#include "framework/MessageHandler.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <functional>

class CDialog;

class CDesktopOptions : public CMessageHandler {
  public:
    // `save` reads the controls and writes the settings; `key` is the
    // window's open settings key.
    CDesktopOptions(CDialog& window, Settings& settings, CRegistryKey& key, std::function<void()> save);

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void OnAutoRunClicked();
    void OnHideDesktopIconsClicked();
    void OnSetDefaultUserClicked();

    CDialog& m_window;
    Settings& m_settings;
    CRegistryKey& m_key;
    CRegistryKey m_logonKey;
    std::function<void()> m_save;
};
