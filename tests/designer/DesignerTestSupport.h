#pragma once

// What the designer's suites share: a document to work on, pictures written to a folder of the
// case's own, and a format holding one control of every type.
#include "capture_model/CaptureControlTypes.h"
#include "designer/DesignDocument.h"
#include "imaging/TestPictures.h"
#include "model/CControles.h"
#include "platform/Archive.h"

#include <QBuffer>
#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A control's record as the format file holds it.
inline QByteArray ControlRecord(const CControles& control) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    control.WriteRecord(ar);
    ar.Flush();
    return bytes;
}

class DesignerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CaptureControlTypes::RegisterAll(); }

    // A width x height 24-bit bitmap file, every pixel grey.
    QString Picture(const QString& name, int width, int height) {
        TestPictures::BmpSpec spec;
        spec.width = width;
        spec.height = height;
        spec.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                           0x808080);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(TestPictures::WriteFile(path, TestPictures::MakeBmp(spec)));
        return path;
    }

    // One control of each type, the first inserted at the top of the list, the image 30 x 20.
    void InsertOneOfEach() {
        int y = -100;
        for (int code = ControlType::kFirstCode; code <= ControlType::kLastCode; ++code) {
            const auto type = static_cast<ControlTypeCode>(code);
            const QString image = type == ControlTypeCode::Imagen
                                      ? Picture(QStringLiteral("p.bmp"), 30, 20)
                                      : QString();
            ASSERT_NE(doc.Insert(type, Point{100, y}, image), nullptr) << code;
            y -= 300;
        }
    }

    // The index of the first control of type.
    int Find(ControlTypeCode type) const {
        for (int i = 0; i < static_cast<int>(doc.Controls().size()); ++i) {
            if (doc.ControlAt(i)->Type() == type)
                return i;
        }
        return -1;
    }

    QTemporaryDir dir;
    DesignDocument doc;
};
