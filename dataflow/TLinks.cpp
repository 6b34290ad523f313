#include "dataflow/TLinks.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "dataflow/DebugMessage.h"
#include "toolkit/text/NumberText.h"

namespace dataflow {

namespace {
std::string& linksBeyondLists() {
    static std::string told;
    return told;
}
}  // namespace

void noteSchemaMistake(const std::string& text) {
    std::string& told = linksBeyondLists();
    if (!told.empty()) told += "\r\n";
    told += text;
}

void noteLinkBeyondList(const char* list, std::size_t index, std::size_t count) {
    noteSchemaMistake("Связь вне списка: " + std::string(list) + '[' +
                      toolkit::intToText(static_cast<std::int32_t>(index)) + "], а в списке " +
                      toolkit::intToText(static_cast<std::int32_t>(count)));
}

void* resizeLinkBlock(void* block, std::size_t count, std::size_t newCount, std::size_t linkSize) {
    if (newCount == 0) {
        std::free(block);
        return nullptr;
    }
    void* const grown = std::realloc(block, newCount * linkSize);
    if (!grown) std::abort();  // out of memory, as for any allocation of the program
    if (newCount > count)
        std::memset(static_cast<char*>(grown) + count * linkSize, 0, (newCount - count) * linkSize);
    return grown;
}

void tellLinksBeyondLists() {
    std::string text;
    text.swap(linksBeyondLists());
    if (!text.empty()) showDebugMessage(text);
}

}  // namespace dataflow
