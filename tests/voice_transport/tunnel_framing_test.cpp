#include "TunnelRequest.h"
#include "TunnelResponseReader.h"

#include <gtest/gtest.h>

namespace {

std::string Response(const std::string& type, const std::string& body,
                     const std::string& extra = std::string())
{
    return "HTTP/1.1 200 OK\r\nContent-Type: " + type +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extra + "\r\n" + body;
}

TEST(TunnelRequest, FormatsHeaderAndBody)
{
    EXPECT_EQ(TunnelRequest::Format(7, TunnelRequest::kTextType, "line\n", 5),
              "POST 7 HTTP/1.1\r\nContent-Type: text/x-sonorelle\r\nContent-Length: 5\r\n\r\n"
              "line\n");
    const char packet[] = {char(0x80), 0, 0, 1};
    EXPECT_EQ(TunnelRequest::Format(-3, TunnelRequest::kAudioType, packet, 4),
              std::string("POST -3 HTTP/1.1\r\nContent-Type: audio/x-sonorelle\r\n"
                          "Content-Length: 4\r\n\r\n") +
                  std::string(packet, 4));
}

struct ReadCase
{
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> bodies; // "T:" text, "A:" audio
    int32_t session;
    size_t buffered;
};

TEST(TunnelResponseReader, ReadsResponses)
{
    const std::string text = Response("text/x-sonorelle", "abc\n");
    const std::string audio = Response("audio/x-sonorelle", std::string("\x81\x04zz", 4));
    const ReadCase cases[] = {
        {"text body", {text}, {"T:abc\n"}, 0, 0},
        {"audio body", {audio}, {std::string("A:\x81\x04zz", 6)}, 0, 0},
        {"two in one read", {text + audio}, {"T:abc\n", std::string("A:\x81\x04zz", 6)}, 0, 0},
        {"split in the header", {text.substr(0, 20), text.substr(20)}, {"T:abc\n"}, 0, 0},
        {"split in the body", {text.substr(0, text.size() - 2), text.substr(text.size() - 2)},
         {"T:abc\n"}, 0, 0},
        {"body still missing", {text.substr(0, text.size() - 2)}, {}, 0, text.size() - 2},
        {"type with parameters", {Response("text/x-sonorelle; charset=x", "q")}, {"T:q"}, 0, 0},
        {"session number", {Response("text/x-sonorelle", "a", "Content-Encoding: 7\r\n")},
         {"T:a"}, 7, 0},
        {"session number not a number",
         {Response("text/x-sonorelle", "a", "Content-Encoding: gzip\r\n")}, {"T:a"}, 0, 0},
        {"no Content-Length", {"HTTP/1.1 200 OK\r\nContent-Type: text/x-sonorelle\r\n\r\nabc"},
         {}, 0, 0},
        {"no Content-Type", {"HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabc" + text}, {}, 0, 0},
        {"other type discards the buffer", {Response("text/html", "<p>") + text}, {}, 0, 0},
        {"not HTTP", {"GARBAGE\r\n\r\n" + text}, {}, 0, 0},
        {"headers only in the header block",
         {"HTTP/1.1 200 OK\r\nContent-Type: text/x-sonorelle\r\n\r\nContent-Length: 1\r\n\r\nx"},
         {}, 0, 0},
        {"status start still arriving", {"HT"}, {}, 0, 2},
    };
    for (const ReadCase& c : cases) {
        TunnelResponseReader reader;
        std::vector<TunnelResponse> responses;
        for (const std::string& read : c.reads)
            EXPECT_EQ(reader.Append(read.data(), read.size(), responses),
                      TunnelResponseReader::Status::Ok)
                << c.name;
        std::vector<std::string> bodies;
        for (const TunnelResponse& response : responses)
            bodies.push_back(
                (response.kind == TunnelResponse::Kind::Text ? "T:" : "A:") + response.body);
        EXPECT_EQ(bodies, c.bodies) << c.name;
        EXPECT_EQ(reader.Session(), c.session) << c.name;
        EXPECT_EQ(reader.Buffered(), c.buffered) << c.name;
    }
}

struct TooLongCase
{
    const char* name;
    std::string read;
    std::string length;
};

TEST(TunnelResponseReader, LengthsThatCannotFitEndTheRead)
{
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/x-sonorelle\r\nContent-Length: ";
    const size_t headerSize = head.size() + 4 + 5; // "nnnnn\r\n\r\n"
    const std::string fits = std::to_string(16000 - headerSize);
    const std::string overByOne = std::to_string(16000 - headerSize + 1);
    const TooLongCase cases[] = {
        {"negative", head + "-5\r\n\r\nabc", "-5"},
        {"larger than the buffer", head + "99999999\r\n\r\n", "99999999"},
        {"beyond 32 bits", head + "99999999999999999999\r\n\r\n", "99999999999999999999"},
        {"not a number", head + "12x\r\n\r\n", "12x"},
        {"one byte more than fits", head + overByOne + "\r\n\r\n", overByOne},
        {"header block never ends", "HTTP/1.1 200 OK\r\n" + std::string(15983, 'h'), "16000"},
    };
    ASSERT_EQ(fits.size(), 5u);
    for (const TooLongCase& c : cases) {
        TunnelResponseReader reader;
        std::vector<TunnelResponse> responses;
        EXPECT_EQ(reader.Append(c.read.data(), c.read.size(), responses),
                  TunnelResponseReader::Status::TooLong)
            << c.name;
        EXPECT_EQ(reader.BadLength(), c.length) << c.name;
        EXPECT_TRUE(responses.empty()) << c.name;
        EXPECT_EQ(reader.Buffered(), 0u) << c.name;
    }

    TunnelResponseReader reader;
    std::vector<TunnelResponse> responses;
    const std::string largest = head + fits + "\r\n\r\n" + std::string(16000 - headerSize, 'b');
    EXPECT_EQ(reader.Append(largest.data(), largest.size(), responses),
              TunnelResponseReader::Status::Ok);
    ASSERT_EQ(responses.size(), 1u);
    EXPECT_EQ(responses[0].body.size(), 16000 - headerSize);
}

} // namespace
