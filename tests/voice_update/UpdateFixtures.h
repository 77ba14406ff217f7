// List lines and digests for the update client's tests.
#pragma once

#include "Md5.h"

#include <string>

inline std::string DigestOf(const std::string& text)
{
    return Md5::Base64Of(text.data(), text.size());
}

// A list line: flags, version, directory URL, installed and download names,
// field 6, the digest of `contents` and the component name.
inline std::string ListLine(const std::string& flags, const std::string& version, const std::string& url,
                            const std::string& installed, const std::string& download, const std::string& extra,
                            const std::string& contents, const std::string& component)
{
    return flags + ";x;" + version + ";" + url + ";" + installed + ";" + download + ";" + extra + ";" +
           DigestOf(contents) + ";" + component;
}
