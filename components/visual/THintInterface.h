// What a window component needs of a tooltip manager.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace components {

class THintInterface {
public:
    virtual ~THintInterface() = default;
    virtual std::intptr_t addTool(HWND window) = 0;  // 0: no registration
    virtual void setText(std::intptr_t tool, const std::string& text) = 0;
    virtual void setTitle(std::intptr_t tool, int icon, const std::string& title) = 0;
    virtual void removeTool(std::intptr_t tool) = 0;
    virtual void activate(std::intptr_t tool) = 0;
    virtual void deactivate(std::intptr_t tool) = 0;
    virtual void trackPosition(std::intptr_t tool, int x, int y) = 0;
};

// The program's tooltip manager, when one exists.
extern THintInterface* globalHintManager;

}  // namespace components
