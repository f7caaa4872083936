// The C++ program of the ELF corpus: namespaces, classes with virtual functions, templates and
// overloads give mangled names of every common shape.
#include <stdio.h>

namespace corpus {

template <typename T, int N>
struct ring
{
    T items[N];
    int head = 0;
    void put(const T &value) { items[head++ % N] = value; }
    T sum() const
    {
        T total = T();
        for (int i = 0; i < N; ++i)
            total += items[i];
        return total;
    }
};

class shape
{
public:
    virtual ~shape() { }
    virtual int area() const = 0;
};

class square : public shape
{
public:
    explicit square(int side) : side(side) { }
    int area() const override { return side * side; }

private:
    int side;
};

namespace detail {
int scale(int value) { return value * 3; }
int scale(int value, int factor) { return value * factor; }
double scale(double value) { return value * 1.5; }
} // namespace detail

ring<int, 4> ints;
ring<double, 2> doubles;

} // namespace corpus

// The runtime pieces that libstdc++ would bring: the file is linked as C, against newlib only.
extern "C" void __cxa_pure_virtual()
{
    for (;;) { }
}
void operator delete(void *) noexcept { }
void operator delete(void *, unsigned int) noexcept { }

int main()
{
    corpus::square s(7);
    const corpus::shape &shape = s;
    corpus::ints.put(corpus::detail::scale(shape.area()));
    corpus::ints.put(corpus::detail::scale(2, 5));
    corpus::doubles.put(corpus::detail::scale(2.0));
    printf("%d %g\n", corpus::ints.sum(), corpus::doubles.sum());
    return 0;
}
