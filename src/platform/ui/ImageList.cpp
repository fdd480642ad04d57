#include "platform/ui/ImageList.h"

namespace ui {

void ImageList::setPicture(int index, const QIcon &picture)
{
    if (index < 1)
        return;
    while (m_pictures.size() < index)
        m_pictures.append(QIcon());
    m_pictures[index - 1] = picture;
}

QIcon ImageList::picture(int index) const
{
    return index >= 1 && index <= m_pictures.size() ? m_pictures.at(index - 1) : QIcon();
}

}  // namespace ui
