#pragma once
// Owns a common-controls image list and destroys it with itself.

#include <windows.h>

#include <commctrl.h>

class ImageList {
  public:
    ImageList() = default;
    explicit ImageList(HIMAGELIST list) : m_list(list) {}
    ~ImageList() { Reset(); }
    ImageList(ImageList&& other) noexcept : m_list(other.m_list) { other.m_list = nullptr; }
    ImageList& operator=(ImageList&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_list = other.m_list;
            other.m_list = nullptr;
        }
        return *this;
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST Get() const { return m_list; }
    explicit operator bool() const { return m_list != nullptr; }
    void Reset()
    {
        if (m_list)
            ImageList_Destroy(m_list);
        m_list = nullptr;
    }

  private:
    HIMAGELIST m_list = nullptr;
};
