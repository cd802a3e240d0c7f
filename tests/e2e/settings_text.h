// Reading the game's settings file as it stands on disk: its sections in file order and their keys.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct SettingsSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;  // in file order
};

// The sections of an INI text in the order they stand, each with its
// "key=value" lines. A line of any other shape, or a key before the first
// section, makes the parse fail (returns false).
bool ParseSettingsText(const std::string& text, std::vector<SettingsSection>* sections);

// "[A] k=v k=v [B] k=v": a one-line picture of the file for reports.
std::string Describe(const std::vector<SettingsSection>& sections);

}  // namespace e2e
