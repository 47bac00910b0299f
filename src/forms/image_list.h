#pragma once

// A list of images counted from 1, as the start-up form keeps the application icon.

#include <QIcon>
#include <vector>

namespace ssn::forms {

class ImageList {
public:
    void add(const QIcon& image) { m_images.push_back(image); }

    // The image at a position counted from 1, or a null icon outside the list.
    QIcon image(int index) const {
        if (index < 1 || static_cast<std::size_t>(index) > m_images.size()) {
            return {};
        }
        return m_images[static_cast<std::size_t>(index - 1)];
    }

private:
    std::vector<QIcon> m_images;
};

} // namespace ssn::forms
