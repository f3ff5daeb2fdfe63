#include "mime/part_header.h"

#include "mime/header_block.h"
#include "mime/header_parameters.h"

namespace postsift::mime {

namespace {

mediaKind kindOf(byteSpan type, bool& digest) {
    if (sameName(type, "text/plain")) return mediaKind::plainText;
    if (sameName(type, "text/html")) return mediaKind::html;
    if (startsWithName(type, "text/")) return mediaKind::otherText;
    if (sameName(type, "multipart/alternative")) return mediaKind::alternative;
    if (startsWithName(type, "multipart/")) {
        digest = sameName(type, "multipart/digest");
        return mediaKind::multipart;
    }
    if (sameName(type, "message/rfc822") || sameName(type, "message/global")) return mediaKind::message;
    return mediaKind::other;
}

// "type/subtype" with something on each side of the slash.
bool namesAType(byteSpan type) {
    for (const char* p = type.begin; p < type.end; ++p)
        if (*p == '/') return p > type.begin && p + 1 < type.end;
    return false;
}

}  // namespace

partHeader readPartHeader(byteSpan fields, bool inDigest) {
    partHeader header;
    header.kind = inDigest ? mediaKind::message : mediaKind::plainText;
    bool sawEncoding = false;
    bool sawDisposition = false;
    headerField field;
    while (nextField(fields, field)) {
        if (!header.hasContentType && sameName(field.name, "content-type")) {
            header.hasContentType = true;
            header.contentType = field.value;
            const byteSpan type = leadingToken(field.value);
            if (namesAType(type)) header.kind = kindOf(type, header.digest);
            header.charset = trimmed(parameterValue(field.value, "charset"));
            header.boundary = parameterValue(field.value, "boundary");
            header.flowed = header.kind == mediaKind::plainText && sameName(parameterValue(field.value, "format"), "flowed");
            header.deleteSpace = sameName(parameterValue(field.value, "delsp"), "yes");
        } else if (!sawEncoding && sameName(field.name, "content-transfer-encoding")) {
            sawEncoding = true;
            const byteSpan encoding = leadingToken(field.value);
            if (sameName(encoding, "quoted-printable"))
                header.transfer = transferKind::quotedPrintable;
            else if (sameName(encoding, "base64"))
                header.transfer = transferKind::base64;
        } else if (!sawDisposition && sameName(field.name, "content-disposition")) {
            sawDisposition = true;
            header.disposition = field.value;
            header.attachment = sameName(leadingToken(field.value), "attachment");
        }
    }
    return header;
}

}  // namespace postsift::mime
