// Keyboard navigation between the tab stops of a form.
#include <algorithm>

#include "toolkit/window/Navigation.h"

namespace toolkit {

namespace {

std::uint32_t navigationBit(std::uint32_t key) {
    switch (key) {
        case VK_TAB: return 1;
        case VK_LEFT:
        case VK_RIGHT: return 2;
        case VK_UP:
        case VK_DOWN: return 4;
        case VK_PRIOR:
        case VK_NEXT: return 8;
        default: return 0;
    }
}

bool navigate(TControl& control, std::uint32_t key, bool notKeyDown) {
    const std::uint32_t bit = navigationBit(key);
    if (bit == 0 || (control.navigationKeys & bit) == 0) return false;
    if (notKeyDown) return true;  // the release of a navigation key goes nowhere
    int direction = 1;
    if (key == VK_TAB)
        direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    else if (key == VK_LEFT || key == VK_UP || key == VK_PRIOR)
        direction = -1;
    moveFocus(*control.parentForm(), direction);
    return true;
}

void collectCandidates(TControl& parent, std::vector<TControl*>& candidates) {
    for (std::int32_t i = 0; i < parent.childCount(); ++i) {
        TControl& child = *parent.child(i);
        if (child.tabStop && child.enabled() && child.countsAsVisible() && (child.style() & WS_TABSTOP)) {
            const auto after =
                std::upper_bound(candidates.begin(), candidates.end(), child.tabOrder(),
                                 [](std::int32_t order, const TControl* c) { return order < c->tabOrder(); });
            candidates.insert(after, &child);
        }
        if (child.enabled()) collectCandidates(child, candidates);
    }
}

}  // namespace

std::vector<TControl*> tabCandidates(TControl& form) {
    std::vector<TControl*> candidates;
    collectCandidates(form, candidates);
    return candidates;
}

void TControl::setTabOrder(std::int32_t order) {
    if (order == tabOrder_) return;
    for (TControl* candidate : tabCandidates(*parentForm()))
        if (candidate->tabOrder_ >= order) ++candidate->tabOrder_;
    tabOrder_ = order;
}

void installTabulation(TControl& control) { control.parentForm()->gotoControl = navigate; }

void moveFocus(TControl& form, int direction) {
    const std::vector<TControl*> candidates = tabCandidates(form);
    const std::int32_t current = form.currentControl ? form.currentControl->tabOrder() : 0;
    TControl* target = nullptr;
    // The list is sorted by tab order, equal orders in walk order.
    if (direction > 0) {
        for (TControl* c : candidates)
            if (c->tabOrder() > current) {
                target = c;
                break;
            }
        if (!target) {
            for (TControl* c : candidates)
                if (c->tabOrder() != current) {
                    target = c;
                    break;
                }
        }
    } else {
        for (TControl* c : candidates)
            if (c->tabOrder() < current && (!target || c->tabOrder() > target->tabOrder())) target = c;
        if (!target) {
            for (TControl* c : candidates)
                if (c->tabOrder() != current && (!target || c->tabOrder() > target->tabOrder())) target = c;
        }
    }
    if (!target) return;
    if (const HWND window = target->handle()) {
        ++target->focusLock;
        SetFocus(window);
        --target->focusLock;
        // As in the system's dialogs: a box that the keyboard moves into has its whole
        // text selected, so that typing replaces it.
        if (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
            SendMessageW(window, EM_SETSEL, 0, -1);
    }
    form.currentControl = target;
}

}  // namespace toolkit
