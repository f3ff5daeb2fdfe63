#include "reading/rules/signature_block.h"

namespace postsift {

bool signatureBlock::leavesOut(const messageLine& line, bool endsPart) {
    if (inside_) {
        if (!endsPart && line.depth == depth_) return true;
        inside_ = false;
    }
    if (endsPart || !(line.contentIs("-- ", false) || line.contentIs("--", false))) return false;
    inside_ = true;
    depth_ = line.depth;
    return true;
}

}  // namespace postsift
