#pragma once
// Every name and number that the library reserves, in one place: the keys
// that configurations, engines and stored postsift.cfg files write, and the
// line numbers that log lines carry.

namespace postsift {

// Options. They live in the filter list although their keys are bracketed
// like symbol names, and they are recognised only as written here, capitals
// included: "[include email address]" is a symbol.
inline constexpr char optionIncludeEmailAddress[] = "[INCLUDE EMAIL ADDRESS]";
inline constexpr char optionIncludeForwardedHeaders[] = "[INCLUDE FORWARDED HEADERS]";
inline constexpr char optionIncludeForwardedText[] = "[INCLUDE FORWARDED TEXT]";
// On unless present with a value without "true": the MIME decoding stage.
inline constexpr char optionDecodeMime[] = "[DECODE MIME]";
// Off unless present with a value that contains "true". The options of the
// reading pass are named in its rule table (reading/pass/rule_table.h);
// these are named here because the decoding stage reads them too.
inline constexpr char optionReadForwardedMessages[] = "[READ FORWARDED MESSAGES]";
inline constexpr char optionReadParagraphs[] = "[READ PARAGRAPHS]";
inline constexpr char optionReadDigests[] = "[READ DIGESTS]";

// The option keys of the layers below the reading pass; with the rule
// table's, every option key, for telling options from symbols.
inline constexpr const char* optionKeys[] = {
    optionIncludeEmailAddress,   optionIncludeForwardedHeaders, optionIncludeForwardedText,
    optionDecodeMime,            optionReadForwardedMessages,   optionReadParagraphs,
    optionReadDigests,
};

// Symbols with a meaning of their own: the summary template, the phrase
// between the summary and the body, the announcement of a forwarded
// section, and the keyword symbols that the template names.
inline constexpr char symbolHeader[] = "[HEADER]";
inline constexpr char symbolBody[] = "[BODY]";
inline constexpr char symbolForwardedSection[] = "[FORWARDED SECTION]";
inline constexpr char symbolSender[] = "[SENDER]";
inline constexpr char symbolDate[] = "[DATE]";
inline constexpr char symbolSubject[] = "[SUBJECT]";
// Phrases whose defaults the language build brings (filter/language_phrases.h).
inline constexpr char symbolAttachment[] = "[ATTACHMENT]";
inline constexpr char symbolLink[] = "[LINK]";
inline constexpr char symbolAttribution[] = "[ATTRIBUTION]";
inline constexpr char symbolForwardedMessage[] = "[FORWARDED MESSAGE]";
inline constexpr char symbolDigestMessage[] = "[DIGEST MESSAGE]";
inline constexpr char symbolListTag[] = "[LIST TAG]";
inline constexpr char symbolRoleAddress[] = "[ROLE ADDRESS]";
inline constexpr char symbolForwardedDate[] = "[FORWARDED DATE]";
inline constexpr char symbolCodeBlock[] = "[CODE BLOCK]";
inline constexpr char symbolLinkAgain[] = "[LINK AGAIN]";
inline constexpr char symbolLeftOut[] = "[LEFT OUT]";

// The separator line that the scanner takes for the start of an earlier
// message; the decoding stage and the reading pass write it wherever an
// earlier message is marked in a form the scanner does not know.
inline constexpr char originalMessageSeparator[] = "-----Original Message-----";

// A line end cannot be written as a key of the configuration file; there
// this name stands for it (and only there: through the exports it is an
// ordinary symbol name).
inline constexpr char lineEndKeyName[] = "[CRLF]";

// The rule keywords that begin a filter-list value.
inline constexpr char ruleRemoveLine[] = "[REMOVE LINE]";
inline constexpr char ruleRemoveWord[] = "[REMOVE WORD]";
inline constexpr char ruleReplaceLine[] = "[REPLACE LINE]";
inline constexpr char ruleReplaceWord[] = "[REPLACE WORD]";
inline constexpr char ruleRemoveSection[] = "[REMOVE SECTION]";
inline constexpr char ruleKeepSection[] = "[KEEP SECTION]";

// The line numbers that log lines give in their line column. They are fixed
// numbers, not __LINE__: readers of the log match on them, so they must not
// move when a source file is edited.
namespace logLine {
inline constexpr int keywordFound = 99;           // postsift: a header keyword
inline constexpr int exceptionSearch = 130;       // filterlist: findException
inline constexpr int symbolSearch = 154;          // filterlist: findSymbol
inline constexpr int semaphoreClosed = 310;       // zelsemnt: the destructor
inline constexpr int semaphoreReleaseFailed = 325;
inline constexpr int semaphoreWaitFailed = 344;
inline constexpr int semaphoreCreateFailed = 410;
inline constexpr int semaphoreOwnedElsewhere = 420;
inline constexpr int semaphoreFirstWaitFailed = 423;
inline constexpr int semaphoreCreated = 428;
inline constexpr int securityDescriptorFailed = 455;
inline constexpr int securityDaclFailed = 464;
}  // namespace logLine

}  // namespace postsift
