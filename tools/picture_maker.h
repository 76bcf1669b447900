#pragma once
// Small SVG pictures for the pages, drawn from the page's place in the catalogue so that every
// build gives the same pictures: a plate per category, one per introductory page and one per
// project.
#include <QString>

class PictureMaker {
public:
    static QString categoryPicture(int category);
    static QString introPicture(int page);
    static QString projectPicture(int category, int position);

    // File names under data/img/.
    static QString categoryPictureName(int category);
    static QString introPictureName(int page);
    static QString projectPictureName(int category, int position);
};
