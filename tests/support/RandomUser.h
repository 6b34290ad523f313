// A user at random: keys, pastes, clicks and the wheel as real input (SendInput), through
// the window system's own queue, so that dropped lists, the focus and the edit boxes
// behave as they do under a person's hands. Seeded and logged, so that a run replays:
// the same seed and number of actions do the same again.
//   RANDOM_USE_SEED     the seed (default: the test's own)
//   RANDOM_USE_ACTIONS  the number of actions (default: the test's own; a long run: more)
#pragma once

#include <windows.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace testsupport {

class TRandomUser {
public:
    // What can be clicked: the controls, and places of the form beside them (where a
    // click closes a dropped list).
    struct TPlace {
        std::string name;
        HWND window;  // the control, or the form for a place beside the controls
        POINT point;  // in the window's client area
    };

    TRandomUser(HWND form, std::vector<TPlace> places, std::uint32_t seed);

    // The seed and the number of actions of this run: the environment's, else the given.
    static std::uint32_t seedOr(std::uint32_t fallback);
    static int actionsOr(int fallback);

    // One action at random, done and settled; it is added to the log.
    void act();
    int actions() const { return actions_; }
    std::uint32_t seed() const { return seed_; }
    // Adds what the window shows after the last action to its line of the log.
    void note(const std::string& shown) { log_ += "   -> " + shown; }
    // The last actions, a line each, for a failure's message; the whole log to a file.
    std::string lastActions(std::size_t count) const;
    void writeLog(const std::string& path) const;

    // Every message the window system holds for the thread, handled.
    static void settle();

private:
    void typeCharacter();
    void pressKey();
    void pasteText();
    void click();
    void turnWheel();
    void log(std::string action);

    static void sendKey(WORD key, bool up);
    static void sendCharacter(wchar_t c);
    static void chord(std::initializer_list<WORD> modifiers, WORD key);

    HWND form_;
    std::vector<TPlace> places_;
    std::uint32_t seed_;
    std::mt19937 random_;
    int actions_ = 0;
    std::string log_;  // a line an action; one block, however long the run
};

}  // namespace testsupport
