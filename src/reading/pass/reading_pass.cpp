// Why a pass over the lines before the scanner, and not scanner rules:
//
// - What these options look for are lines and runs of lines: a signature
//   runs from its "-- " line to the end of its part, armour from a BEGIN line
//   to an END line, a cut link goes on in the next line, an attribution is
//   one only when quoted text follows it, a block of "From:" and "Sent:"
//   lines is one only with its second line. Seeing that takes
//   looking a few lines ahead, which a longest-match scanner without
//   backtracking cannot do, and start conditions for each would multiply
//   the scanner's conditions while every message paid for them.
// - With every option off the pass does not run at all, so the scanner,
//   the grammar and the per-token operations stay exactly what they were,
//   and so does what they say.
// - The pass is one walk over the lines with a bounded look-ahead (a cut
//   link or an attribution looks at most a few lines on), linear in the
//   message. What it writes (a phrase for a link, a line left out, an
//   "-----Original Message-----" line before an earlier message) is then
//   read like any other text: the scanner still decides what is body,
//   quote or header, and the options of quoted and forwarded text apply as
//   they always did.
#include "reading/pass/reading_pass.h"

#include <new>
#include <string>

#include "reading/rules/attribution_line.h"
#include "reading/dates/date_words.h"
#include "reading/rules/forwarded_message.h"
#include "reading/rules/initials_quote.h"
#include "reading/rules/link_speech.h"
#include "reading/lines/leading_header.h"
#include "reading/lines/message_line.h"
#include "reading/lines/original_headers.h"
#include "reading/rules/original_message_finder.h"
#include "reading/lines/original_message_separator.h"
#include "reading/rules/paragraph_reading.h"
#include "reading/lines/part_boundaries.h"
#include "reading/pass/reading_options.h"
#include "reading/pass/reading_output.h"
#include "reading/rules/reply_markers.h"
#include "reading/rules/signature_block.h"
#include "reading/rules/signed_armour.h"
#include "reading/rules/spoken_dates.h"
#include "reading/rules/symbol_runs.h"
#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

class readingPass {
public:
    readingPass(epostSift& filter, const readingOptions& options)
        : options_(options),
          markers_(filter),
          links_(options.speakLinks ? phraseOf(filter, symbolLink, buildLanguagePhrases().link) : nullptr),
          attributions_(options.dropAttribution ? phraseOf(filter, symbolAttribution, buildLanguagePhrases().attribution)
                                                : nullptr,
                        options.quotedTextLeftOut, options.findOriginalMessage),
          forwards_(filter, options.readForwardedMessages
                                ? phraseOf(filter, symbolForwardedMessage, buildLanguagePhrases().forwardedMessage)
                                : nullptr),
          symbols_(filter),
          paragraphs_(filter),
          dates_(filter, buildDateWords()) {}

    void run(const char* text, const char* end, readingOutput& out) {
        const char* p = leadingHeader(text, end, out);
        while (p < end) {
            const messageLine line = lineAt(p, end);
            p = bodyLine(options_.findOriginalMessage ? initials_.read(line, end) : line, end, out);
        }
    }

private:
    // The header block at the top, as far as the scanner takes it for one:
    // field lines and their folded continuations, and the mangled '>' lines
    // among them, which go as they stand. Only a subject changes.
    const char* leadingHeader(const char* p, const char* end, readingOutput& out) {
        bool inItem = false;
        while (p < end) {
            const messageLine line = lineAt(p, end);
            const bool folded = inItem && line.begin < line.end && (*line.begin == ' ' || *line.begin == '\t');
            if (!folded && line.depth > 0 && inItem) {
                const char* goesOn = headerGoesOnAfterQuotedLines(line, end);
                if (goesOn == nullptr) break;
                out.put(line.begin, goesOn);
                p = goesOn;
                continue;
            }
            if (!folded && !isLeadingFieldLine(line)) break;
            inItem = true;
            boundaries_.observe(line);
            if (options_.readForwardedMessages && !folded) forwards_.observeHeader(line);
            if (!folded && sayDate(line, end, out)) {
                p = line.next;
                continue;
            }
            if (!(options_.squeezeReplyMarkers && markers_.write(line, out))) out.put(line.begin, line.next);
            p = line.next;
        }
        return p;
    }

    // A date line said as people say dates; not one whose value goes on in
    // a folded line.
    bool sayDate(const messageLine& line, const char* end, readingOutput& out) {
        if (!options_.speakDates) return false;
        if (!line.isLast(end)) {
            const messageLine next = lineAt(line.next, end);
            if (next.begin < next.end && (*next.begin == ' ' || *next.begin == '\t') && !next.isBlank()) return false;
        }
        return dates_.write(line, out);
    }

    const char* bodyLine(messageLine line, const char* end, readingOutput& out) {
        boundaries_.observe(line);
        if (options_.dropSignedArmour && armour_.judge(line) == signedArmour::leaveOut) return line.next;
        const originalMessageFinder::kind start =
            options_.findOriginalMessage ? finder_.judge(line, end) : originalMessageFinder::ordinary;
        const bool beginsMessage = originalMessageFinder::beginsMessage(start);
        const bool forwarded = options_.readForwardedMessages && forwards_.begins(line, beginsMessage, out);
        const bool boundary = boundaries_.isBoundaryLine(line);
        const bool endsPart = boundary || isOriginalMessageSeparator(line) || beginsMessage || forwarded;
        if (options_.dropSignature && signature_.leavesOut(line, endsPart)) return line.next;
        if (forwarded) {
            // The forwarded message's text is read as a message's body.
            finder_.startBody();
            return forwards_.write(line, end, options_.speakDates ? &dates_ : nullptr, out);
        }
        if (start != originalMessageFinder::ordinary) return earlierMessageLine(line, start, out);
        if (options_.dropAttribution) {
            if (const char* next = attributions_.write(line, end, out)) {
                finder_.passOverAttribution();
                forwards_.historyMet();
                return next;
            }
        }
        finder_.passOver(line);
        forwards_.passOver(line, boundary);
        if (line.depth == 0 && sayDate(line, end, out)) return line.next;
        if (options_.squeezeReplyMarkers && line.content == line.prefixEnd && markers_.write(line, out))
            return line.next;
        const std::size_t written = out.length();
        const char* next = line.next;
        if (options_.speakLinks) {
            next = links_.write(line, end, out);
        } else {
            out.put(line.begin, line.prefixEnd);
            out.put(line.content, line.next);
        }
        if (options_.quietSymbols) symbols_.quiet(out, written);
        if (options_.readParagraphs) paragraphs_.written(line, end, out, written);
        return next;
    }

    // A line where an earlier message begins, or one of its header lines.
    const char* earlierMessageLine(const messageLine& line, originalMessageFinder::kind start, readingOutput& out) {
        switch (finder_.begin(line, start, out)) {
            case originalMessageFinder::replaced: break;
            case originalMessageFinder::asItStands: out.put(line.begin, line.next); break;
            case originalMessageFinder::asHeader: {
                const std::string plain = plainOriginalHeaderLine(line);
                const messageLine plainLine = lineAt(plain.data(), plain.data() + plain.size());
                if (options_.speakDates && dates_.write(plainLine, out)) break;
                if (!(options_.squeezeReplyMarkers && markers_.write(plainLine, out)))
                    out.put(plain.data(), plain.data() + plain.size());
                break;
            }
        }
        return line.next;
    }

    const readingOptions options_;
    replyMarkers markers_;
    linkSpeech links_;
    partBoundaries boundaries_;
    signedArmour armour_;
    signatureBlock signature_;
    attributionLines attributions_;
    originalMessageFinder finder_;
    forwardedMessages forwards_;
    initialsQuote initials_;
    symbolRuns symbols_;
    paragraphReading paragraphs_;
    spokenDates dates_;
};

}  // namespace

bool rewriteForReading(epostSift& filter, const char* text, std::size_t length, ownedText& out) {
    const readingOptions options = readingOptionsOf(filter);
    if (!options.any()) return false;
    try {
        // An empty text, not an absent one, when everything was left out.
        // Room for the whole message from the start: the rewritten text is
        // seldom longer, and growing it by doubling could hold twice as much.
        if (!out.assign("", 0) || !out.reserve(length)) return false;
        readingOutput written(out);
        readingPass(filter, options).run(text, text + length, written);
        return written.ok();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace postsift
