#include "app/ParamStr.h"

namespace app {

namespace {

class CommandLineWalker {
public:
    explicit CommandLineWalker(std::wstring_view line) : line_(line) {}

    // Blanks, then an empty quoted pair and the blanks after it.
    void skipBlanks() {
        skipSpace();
        if (at(pos_) == L'"' && at(pos_ + 1) == L'"') {
            pos_ += 2;
            skipSpace();
        }
    }

    // Skips one parameter; returns where it started and where it ended.
    std::wstring_view skipParameter() {
        skipBlanks();
        const std::size_t start = pos_;
        while (at(pos_) > 32) {
            if (at(pos_) == L'"') {
                ++pos_;
                while (at(pos_) != 0 && at(pos_) != L'"') ++pos_;
                if (at(pos_) == L'"') ++pos_;
            } else {
                ++pos_;
            }
        }
        return line_.substr(start, pos_ - start);
    }

private:
    wchar_t at(std::size_t i) const { return i < line_.size() ? line_[i] : 0; }
    void skipSpace() {
        while (at(pos_) != 0 && at(pos_) <= 32) ++pos_;
    }

    std::wstring_view line_;
    std::size_t pos_ = 0;
};

}  // namespace

std::wstring paramStrOf(std::wstring_view commandLine, int n) {
    CommandLineWalker walker(commandLine);
    std::wstring_view parameter = walker.skipParameter();  // the program itself
    for (int i = 0; i < n; ++i) {
        parameter = walker.skipParameter();
        if (parameter.empty()) break;  // the end of the command line
    }
    if (parameter.size() >= 2 && parameter.front() == L'"' && parameter.back() == L'"')
        parameter = parameter.substr(1, parameter.size() - 2);
    return std::wstring(parameter);
}

}  // namespace app
