#include "ZrBrand.h"

namespace {

// Host names and pages live under the reserved ".example" domain, so that
// nothing they name resolves on a test machine.
#define ZR_CHAT_HOST(brand) "chat." brand ".example"
#define ZR_WEB_HOST(brand) "www." brand ".example"

const ZrBrand kProduct = {
    "Lum",
    {
        "",
        ZR_CHAT_HOST("lumora"),
        "http://" ZR_WEB_HOST("lumora") "/chat/",
        "http://" ZR_WEB_HOST("lumora") "/chat/",
        ZR_CHAT_HOST("lumora"),
        ZR_CHAT_HOST("lumora"),
        "http://" ZR_WEB_HOST("lumora") "/release-notes.html",
        "http://" ZR_WEB_HOST("lumora") "/help/index.html",
        "home.lumora.example",
        ZR_CHAT_HOST("lumora"),
        "home.lumora.example",
        ZR_CHAT_HOST("lumora"),
        "Lumora Talk!",
        ZR_WEB_HOST("lumora"),
        "",
        "",
        "Welcome, and enjoy your travels in Lumora Chat.",
    },
    0, 0, 1, 1, 1, 1, 1,
};

const ZrBrand kTest = {
    "Tst",
    {
        "",
        ZR_CHAT_HOST("testbrand"),
        "http://" ZR_WEB_HOST("testbrand") "/chat/",
        "http://" ZR_WEB_HOST("testbrand") "/chat/",
        ZR_CHAT_HOST("testbrand"),
        ZR_CHAT_HOST("testbrand"),
        "http://" ZR_WEB_HOST("testbrand") "/release-notes.html",
        "http://" ZR_WEB_HOST("testbrand") "/help/index.html",
        "home.testbrand.example",
        ZR_CHAT_HOST("testbrand"),
        "home.testbrand.example",
        ZR_CHAT_HOST("testbrand"),
        "Lumora Talk!",
        ZR_WEB_HOST("testbrand"),
        "",
        "",
        "Welcome, and enjoy your travels in Lumora Chat.",
    },
    1, 1, 0, 0, 0, 0, 0,
};

}  // namespace

const ZrBrand& ZrBrand::Product() { return kProduct; }
const ZrBrand& ZrBrand::Test() { return kTest; }
