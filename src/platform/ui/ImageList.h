#pragma once
// A numbered list of pictures, from which toolbars take their buttons' pictures by number. The
// first picture is number 1; a number the list holds no picture at gives a null picture.
#include <QIcon>
#include <QList>

namespace ui {

class ImageList {
public:
    // Puts the picture at `index` (1 or more); the numbers before it stay empty until filled.
    void setPicture(int index, const QIcon &picture);
    QIcon picture(int index) const;
    int count() const { return int(m_pictures.size()); }

private:
    QList<QIcon> m_pictures;
};

}  // namespace ui
