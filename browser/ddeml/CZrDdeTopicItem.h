// One item of a served topic: its name, its index in the topic and the data
// that was last posted for it, which answers the advise loops on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CZrDdeTopicItem
{
public:
    // The one clipboard format in which advise loops are accepted (CF_TEXT).
    static constexpr uint32_t kAdviseFormat = 1;

    CZrDdeTopicItem(std::string name, int index) : m_name(std::move(name)), m_index(index) {}

    const std::string& GetName() const { return m_name; }
    int GetIndex() const { return m_index; }

    static bool AcceptsAdviseFormat(uint32_t format) { return format == kAdviseFormat; }

    void SetPostedData(const uint8_t* data, uint32_t size) { m_posted.emplace(data, data + size); }
    // Null before the first post.
    const std::vector<uint8_t>* GetPostedData() const { return m_posted ? &*m_posted : nullptr; }

private:
    std::string m_name;
    int m_index;
    std::optional<std::vector<uint8_t>> m_posted;
};
