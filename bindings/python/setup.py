# Pure Python over the library's C interface: no compiler needed.
#   python3 -m pip install --no-build-isolation --no-index bindings/python
from setuptools import setup

setup(
    name="pelunits",
    version="1.0.0",
    description="Units of measure for structural design (ctypes over the PelUnitsTransform C interface)",
    packages=["pelunits"],
    python_requires=">=3.8",
)
