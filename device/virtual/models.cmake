# Virtual device models, one small class per device kind.
target_sources(gearconsole_core PRIVATE
)
