#include <cstring>

#include "filter/filterlist.h"
#include "support/mutex_lock.h"
#include "support/owned_text.h"
#include "template/template_evaluation.h"

namespace postsift {

templateEvaluation currentTemplate;

int readTemplateInput(char* buffer, int room) {
    // The scanner pulls the copy in slices, never more than it asks for.
    constexpr std::size_t slice = 8192;
    if (room <= 0 || currentTemplate.input == nullptr) return 0;
    std::size_t count = currentTemplate.length - currentTemplate.position;
    if (count > slice) count = slice;
    if (count > static_cast<std::size_t>(room)) count = static_cast<std::size_t>(room);
    std::memcpy(buffer, currentTemplate.input + currentTemplate.position, count);
    currentTemplate.position += count;
    return static_cast<int>(count);
}

namespace {

// Clears the process-wide record however the evaluation is left.
class evaluationRecord {
public:
    evaluationRecord(filterEntry& entry, const ownedText& input, filterEntry* symbols) : entry_(entry) {
        currentTemplate.input = input.get();
        currentTemplate.length = input.length();
        currentTemplate.position = 0;
        currentTemplate.entry = &entry;
        entry.setTemplateSymbols(symbols);
    }
    ~evaluationRecord() {
        currentTemplate = templateEvaluation();
        entry_.setTemplateSymbols(nullptr);
    }
    evaluationRecord(const evaluationRecord&) = delete;
    evaluationRecord& operator=(const evaluationRecord&) = delete;

private:
    filterEntry& entry_;
};

}  // namespace

const char* filterEntry::evaluateTemplate(const char* templateText, std::size_t length,
                                          filterEntry* symbols) {
    // The scanner and parser are single instances; a failed wait does not
    // stop the evaluation.
    lockHolder hold(templateLock());
    if (templateText == nullptr) {
        templateResult_.release();
    } else {
        ownedText input;
        const bool copied = input.assign(templateText, length);
        templateResult_.release();
        if (copied) {
            evaluationRecord record(*this, input, symbols);
            resetTemplateScanner();
            parseTemplate();
        }
    }
    templateSymbols_ = nullptr;
    return templateResult_.get();
}

}  // namespace postsift
