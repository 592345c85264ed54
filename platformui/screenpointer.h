#pragma once

// The screen pointer: 0 the default arrow, 7 the vertical sizing arrows,
// 11 busy. QtScreenPointer sets the application's override cursor;
// RecordingScreenPointer keeps the shapes it was given.

#include <QList>

namespace platform {

enum PointerShape : int { PointerDefault = 0, PointerSizeNS = 7, PointerBusy = 11 };

class ScreenPointer {
public:
    virtual ~ScreenPointer() = default;
    virtual void set(int shape) = 0;
    virtual int shape() const = 0;
};

class QtScreenPointer final : public ScreenPointer {
public:
    ~QtScreenPointer() override;
    void set(int shape) override;
    int shape() const override { return m_shape; }

private:
    int m_shape = PointerDefault;
};

class RecordingScreenPointer final : public ScreenPointer {
public:
    void set(int shape) override { m_shapes.append(shape); }
    int shape() const override { return m_shapes.isEmpty() ? PointerDefault : m_shapes.constLast(); }
    const QList<int> &shapes() const { return m_shapes; }

private:
    QList<int> m_shapes;
};

}  // namespace platform
