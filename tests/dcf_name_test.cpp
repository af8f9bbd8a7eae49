#include "catalogue/qel_file_info.h"
#include "exif/dcf_name.h"

#include <gtest/gtest.h>

namespace {

QELFileInfo Named(const std::string& name) {
    QELFileInfo photo;
    photo.name = name;
    assignDcfName(photo);
    return photo;
}

} // namespace

TEST(DcfName, takesFourFreeCharactersWithUnderscoresAndFourDigits) {
    for (const char* name : {"IMG_0105.JPG", "DSC01234.JPG", "_MG_0001.JPG", "100_0042.JPG"}) {
        EXPECT_EQ(Named(name).orgDcfName, name);
        EXPECT_EQ(Named(name).newDcfName, "") << name;
    }
    EXPECT_EQ(Named("img_0105.jpg").orgDcfName, "IMG_0105.JPG");
    for (const char* name : {"IMG-0105.JPG", "IMG_010A.JPG", "IMG_01055.JPG", "IMG_105.JPG",
                             "IMG 0105.JPG", "ＩＭＧ0105.JPG"}) {
        const QELFileInfo photo = Named(name);
        EXPECT_EQ(photo.orgDcfName, "") << name;
        EXPECT_TRUE(photo.newDcfName.starts_with("TS")) << name;
    }
}
