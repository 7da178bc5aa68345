#pragma once

#include <QImage>
#include <QWidget>

class TdxfShapedForm;

// The start-up splash: a borderless window cut to the outline of its picture, dragged by any
// press on it. It is shown from its creation until the start-up wait ends.
class TSplash : public QWidget {
    Q_OBJECT
public:
    // picture: the splash picture; a null image uses the built-in one.
    explicit TSplash(const QImage& picture = {}, QWidget* parent = nullptr);

    [[nodiscard]] TdxfShapedForm* ShapedForm() const { return dxfShapedForm1; }
    static constexpr int SplashWidth = 375;
    static constexpr int SplashHeight = 255;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TdxfShapedForm* dxfShapedForm1;
};

// The built-in splash picture: a closed album on a background of its corner colour.
[[nodiscard]] QImage BuiltInSplashPicture();

// The installed splash picture "GraphicRes\Splash.bmp" of the program folder, or the built-in
// one when it cannot be loaded (the splash never stops the start).
[[nodiscard]] QImage SplashPicture(const QString& programFolder);
