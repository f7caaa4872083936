#include "engine/stringcell.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "engine/recycler.h"

#include <algorithm>
#include <cstring>

// Text shared by the cells of one chain of concatenations: each cell's text is the first
// length units of data, and only the cell whose text is all of data may append to it.
struct ESTextBuffer
{
    quint32 refs;
    QString data;
};

namespace {

// Shorter results are copied whole: a buffer pays off once copying the left text for every
// append would cost more than the extra cell and the spare capacity.
constexpr qsizetype bufferedLength = 256;

void releaseBuffer(ESTextBuffer *buffer)
{
    if (--buffer->refs == 0)
        delete buffer;
}

ESValue bufferedValue(ESTextBuffer *buffer, qsizetype length)
{
    ++buffer->refs;
    return ESValue::adoptCell(new ESStringCell{ 1, length, buffer, QString() });
}

void checkLength(ESContext *cx, qint64 length)
{
    refuseLongText(cx, length, "concatenation");
}

} // namespace

void *ESStringCell::operator new(size_t)
{
    return ESRecycler<ESStringCell>::allocate();
}

void ESStringCell::operator delete(void *cell)
{
    ESRecycler<ESStringCell>::release(cell);
}

const QString &flattenedText(ESStringCell *cell)
{
    ESTextBuffer *buffer = cell->buffer;
    if (buffer->refs == 1) {
        // The last cell of its buffer takes the text over instead of copying it.
        buffer->data.truncate(cell->length);
        cell->text = std::move(buffer->data);
    } else if (cell->length == buffer->data.size()) {
        cell->text = buffer->data;
    } else {
        cell->text = buffer->data.first(cell->length);
    }
    cell->buffer = nullptr;
    releaseBuffer(buffer);
    return cell->text;
}

void destroyCell(ESStringCell *cell)
{
    if (cell->buffer)
        releaseBuffer(cell->buffer);
    delete cell;
}

ESValue concatenate(ESContext *cx, const ESValue &left, const ESValue &right)
{
    // The right text first: when both operands are the same buffered cell, making its text may
    // hand the buffer's data to the cell, and the left operand is then looked at afresh.
    QString rightConverted;
    const QString &rightText =
            right.isString() ? right.text() : (rightConverted = toString(cx, right));
    if (left.kind() == ESKind::String) {
        ESStringCell *cell = left.asCell();
        ESTextBuffer *buffer = cell->buffer;
        if (buffer && cell->length == buffer->data.size()) {
            checkLength(cx, qint64(cell->length) + rightText.size());
            buffer->data.append(rightText);
            return bufferedValue(buffer, buffer->data.size());
        }
    }
    QString leftConverted;
    const QString &leftText = left.isString() ? left.text() : (leftConverted = toString(cx, left));
    const qsizetype length = leftText.size() + rightText.size();
    checkLength(cx, length);
    if (length < bufferedLength) {
        QString text(length, Qt::Uninitialized);
        // memcpy, since copy_n between Qt's ushort and char16_t copies one unit at a time.
        QChar *out = text.data();
        memcpy(out, leftText.constData(), size_t(leftText.size()) * sizeof(QChar));
        memcpy(out + leftText.size(), rightText.constData(),
                size_t(rightText.size()) * sizeof(QChar));
        return ESValue::adoptCell(new ESStringCell{ 1, length, nullptr, std::move(text) });
    }
    auto *buffer = new ESTextBuffer{ 0, QString() };
    buffer->data.reserve(qMin(2 * length, textLengthLimit));
    buffer->data.append(leftText).append(rightText);
    return bufferedValue(buffer, length);
}
