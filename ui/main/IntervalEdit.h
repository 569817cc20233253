#pragma once
// The interval edit of the main window: a text on its way to a valid
// interval ("0." before "0.5") is neither used nor reported; a bad one is
// reported once, when the user is done with it (Enter, leaving the edit,
// closing the window), never at each later read of the controls. The
// schedule goes on with the last valid interval meanwhile.

#include "framework/MessageHandler.h"
#include "settings/Settings.h"

#include <functional>
#include <optional>
#include <utility>

class CDataExchange;
class CDialog;

class CIntervalEdit : public CMessageHandler {
  public:
    // `edited` hears of each new valid interval the user types.
    CIntervalEdit(CDialog& dialog, Settings& settings, std::function<void()> edited)
        : m_dialog(dialog), m_settings(settings), m_edited(std::move(edited))
    {
    }

    // The edit's part of the dialog's data exchange.
    void Exchange(CDataExchange* dx);
    // Reads every control, reporting a bad interval; false when it is bad.
    bool ReadControlsReportingBadInterval();
    // At close: a text the user never heard was no interval.
    void ReportBadIntervalOnce();

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    // The interval the edit holds, when it is a valid one.
    std::optional<double> EditedInterval() const;
    void OnChanged();
    void OnLeft();

    CDialog& m_dialog;
    Settings& m_settings;
    std::function<void()> m_edited;
    bool m_reportBadInterval = false;
    bool m_badIntervalReported = false;
};
