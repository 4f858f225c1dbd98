<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CVelmoraDoc</name>
    <message>
        <source>Save changes to %1?</source>
        <translation>Сохранить изменения в «%1»?</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Сохранить как</translation>
    </message>
</context>
</TS>
