#pragma once
#include <string>
#include <vector>

#include "filter/epost_sift.h"

// An epostSift whose grammar operations only record their calls, each with a
// copy of its text taken at the moment of the call. Plain and forwarded text
// is also appended to filteredText, so that what a parse returns can be told
// apart from what an earlier one left.
class recordingFilter : public postsift::epostSift {
public:
    std::vector<std::string> calls;

    int beginHeaderItem(const char* word, int isForwarded) override {
        return record("beginHeaderItem", word, isForwarded);
    }
    int completeHeaderItem() override { return record("completeHeaderItem"); }
    int addHeaderItemWord(const char* word, int isForwarded) override {
        return record("addHeaderItemWord", word, isForwarded);
    }
    int addPlainText(const char* word, int isForwarded) override {
        filteredText.append(word);
        return record("addPlainText", word, isForwarded);
    }
    postsift::filterEntry* findFilterEntry(const char* key) override {
        record("findFilterEntry", key, -1);
        return nullptr;
    }
    int completeDate(int isForwarded) override { return record("completeDate", nullptr, isForwarded); }
    int setDatePart1(const char* text) override { return record("setDatePart1", text, -1); }
    int setDatePart2(const char* text) override { return record("setDatePart2", text, -1); }
    int setDatePart3(const char* text) override { return record("setDatePart3", text, -1); }
    int setDatePart4(const char* text) override { return record("setDatePart4", text, -1); }
    int addWordAfterDate(const char* word, int isForwarded) override {
        return record("addWordAfterDate", word, isForwarded);
    }
    int setAddressId(const char* text) override { return record("setAddressId", text, -1); }
    int setAddressDomain(const char* text) override { return record("setAddressDomain", text, -1); }
    int completeAddress(int isForwarded) override { return record("completeAddress", nullptr, isForwarded); }
    int completeEntireHeader() override { return record("completeEntireHeader"); }
    int beginForwardedSection() override { return record("beginForwardedSection"); }
    void trimFilteredText() override { record("trimFilteredText"); }
    void trimHeaderItemText() override { record("trimHeaderItemText"); }

private:
    // name, name(n), name("text") or name("text",n); -1 means no number.
    int record(const char* name, const char* text = nullptr, int number = -1) {
        std::string call = name;
        if (text != nullptr || number >= 0) {
            call += '(';
            if (text != nullptr) call += '"' + std::string(text) + '"';
            if (text != nullptr && number >= 0) call += ',';
            if (number >= 0) call += std::to_string(number);
            call += ')';
        }
        calls.push_back(call);
        return 0;
    }
};
