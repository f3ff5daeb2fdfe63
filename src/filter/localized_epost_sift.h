#pragma once
#include "filter/epost_sift.h"

namespace postsift {

// The filter that getObject makes: the build's built-in entries first, then
// the configuration file beside the library.
class localizedEpostSift : public epostSift {
public:
    localizedEpostSift();

    void loadBuiltInConfiguration() override;  // 7
};

}  // namespace postsift
