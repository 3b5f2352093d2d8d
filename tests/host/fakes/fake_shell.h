// A user interface that records what the handlers do to it. Edit boxes
// answer with whatever the test put into `controlTexts`.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell.h"

struct ShownMessage {
    std::string text;
    std::string title;
};

class FakeShell : public Shell {
  public:
    // Every setControlText, in order: (control id, text).
    std::vector<std::pair<int, std::string>> textsSet;
    // The current text of each control.
    std::map<int, std::string> controlTexts;
    std::vector<ShownMessage> messages;
    std::vector<int> themes;
    int closeRequests = 0;

    // Calls of any kind, for tests that check nothing at all happened.
    size_t callCount() const {
        return textsSet.size() + messages.size() + themes.size() +
               static_cast<size_t>(closeRequests);
    }

    void setControlText(int controlId, const char* text) override {
        textsSet.emplace_back(controlId, text ? text : "");
        controlTexts[controlId] = text ? text : "";
    }
    Text controlText(int controlId) override {
        auto found = controlTexts.find(controlId);
        return found == controlTexts.end() ? Text() : Text(found->second.c_str());
    }
    void showMessage(const char* text, const char* title) override {
        messages.push_back({text ? text : "", title ? title : ""});
    }
    void setTheme(int style) override { themes.push_back(style); }
    void closeMainWindow() override { ++closeRequests; }
};
