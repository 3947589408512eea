<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Strings of Qt's file dialog that Qt's Spanish catalogue lacks or has wrong; consulted before it. -->
<TS version="2.1" language="es_ES">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <comment>All other platforms</comment>
        <translation>Acceso directo</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Go to the parent directory</source>
        <translation>Ir al directorio superior</translation>
    </message>
</context>
</TS>
