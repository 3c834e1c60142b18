#pragma once

#include <array>
#include <string_view>

struct evp_md_ctx_st;

namespace qm::counter {

// The SHA-256 digest of a file's bytes. Two files of the same size with the same digest are
// taken to hold the same bytes: no one knows how to make two that differ, so a tree made to
// collide costs nothing more than any other.
using Digest = std::array<unsigned char, 32>;

// Takes in a file's bytes in pieces of any size. One per thread; it may be used for one file
// after another.
class ContentDigest {
public:
    ContentDigest();
    ~ContentDigest();
    ContentDigest(const ContentDigest&) = delete;
    ContentDigest& operator=(const ContentDigest&) = delete;

    // Starts the digest of another file.
    void start();
    void add(std::string_view bytes);
    Digest finish();

private:
    evp_md_ctx_st* context_;
};

} // namespace qm::counter
