#pragma once
// One part of a window's message handling, chained in front of the window's
// own (as WTL's CHAIN_MSG_MAP chains a member's map): the window offers each
// message to its parts in turn, and the first that handles it answers it.
// A part that only needs to look (a menu about to open) answers false, so
// the next part sees the message too.

#include <windows.h>

#include <initializer_list>

class CMessageHandler {
  public:
    // True when handled; `result` is then the message's answer.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) = 0;

  protected:
    ~CMessageHandler() = default;
};

// Offers the message to `parts` in order; true when one of them handled it.
inline bool OfferToParts(std::initializer_list<CMessageHandler*> parts, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    for (CMessageHandler* part : parts) {
        result = 0;
        if (part->OnMessage(msg, wp, lp, result))
            return true;
    }
    return false;
}
