#pragma once
#include <cstddef>

namespace postsift {

class filterEntry;

// The one template evaluation that may run in the process. The generated
// scanner and parser keep process-wide state, so evaluateTemplate holds
// templateLock while this record is in use.
struct templateEvaluation {
    const char* input = nullptr;  // the template, only read
    std::size_t length = 0;
    filterEntry* entry = nullptr; // receives the results of the actions
};

extern templateEvaluation currentTemplate;

// Scanner: back to the initial state with the input above copied into its
// own buffer, so that nothing left unread by an earlier evaluation is seen
// again. False when the copy cannot be made (the scan finds nothing then).
bool resetTemplateScanner();
// Frees the scanner's copy once the evaluation is over.
void releaseTemplateScannerInput();

// Parser: 0 when the template was accepted, 1 when it stopped at an error.
int parseTemplate();

// The grammar's actions, run on currentTemplate.entry.
void appendTemplateText(const char* text);
void takeConditionSymbol(const char* text);
void takeThenText(const char* text);
void takeElseText(const char* text);
void completeSubstitution();

}  // namespace postsift
