#pragma once

#include "mime/byte_span.h"

namespace postsift::mime {

enum class mediaKind {
    plainText,    // text/plain, and a part that says nothing
    html,         // text/html
    otherText,    // any other text/*
    alternative,  // multipart/alternative
    multipart,    // every other multipart/*
    message,      // message/rfc822: a message forwarded as a part
    other,        // everything else: application/*, image/* ...
};

enum class transferKind { identity, quotedPrintable, base64 };

// What the stage reads from the header fields of a message or a part.
struct partHeader {
    mediaKind kind = mediaKind::plainText;
    transferKind transfer = transferKind::identity;
    bool attachment = false;   // Content-Disposition: attachment
    bool digest = false;       // multipart/digest: its parts are messages unless they say otherwise
    bool hasContentType = false;
    bool flowed = false;       // text/plain; format=flowed: soft line breaks end in a blank
    bool deleteSpace = false;  // ... delsp=yes: that blank is no part of the text
    byteSpan contentType;      // the values of the fields, for their parameters
    byteSpan disposition;
    byteSpan charset;
    byteSpan boundary;
};

// The first Content-Type, Content-Transfer-Encoding and Content-Disposition
// fields among `fields`. A part of a digest without a Content-Type is a
// message; any other part without one, or with one that names no type, is
// plain text.
partHeader readPartHeader(byteSpan fields, bool inDigest);

}  // namespace postsift::mime
