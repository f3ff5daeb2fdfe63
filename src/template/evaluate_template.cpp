#include <cstddef>

#include "filter/filterlist.h"
#include "support/mutex_lock.h"
#include "template/template_evaluation.h"

namespace postsift {

templateEvaluation currentTemplate;

namespace {

// Clears the process-wide record however the evaluation is left.
class evaluationRecord {
public:
    evaluationRecord(filterEntry& entry, const char* input, std::size_t length, filterEntry* symbols)
        : entry_(entry) {
        currentTemplate.input = input;
        currentTemplate.length = length;
        currentTemplate.entry = &entry;
        entry.setTemplateSymbols(symbols);
    }
    ~evaluationRecord() {
        releaseTemplateScannerInput();
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
        // The scanner copies the template before the old result goes: the
        // text may lie inside that result.
        evaluationRecord record(*this, templateText, length, symbols);
        const bool copied = resetTemplateScanner();
        templateResult_.release();
        if (copied) parseTemplate();
    }
    templateSymbols_ = nullptr;
    return templateResult_.get();
}

}  // namespace postsift
